#include "Stringpp.h"

#include <cstring>

char* Stoa(const std::string& s) {
  const int length = static_cast<int>(s.size());
  char* array = new char[length + 1];
  std::memcpy(array, s.data(), s.size());
  array[length] = '\0';
  return array;
}
