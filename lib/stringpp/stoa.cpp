// Stoa: the copy of a string into a NUL-terminated array. The length stays a std::size_t all
// the way: as an int, 2^31 - 1 characters overflowed the NUL's place and 2^32 + 1 allocated
// two bytes for the whole text.
#include <cstring>

#include "Stringpp.h"

char* Stoa(const std::string& s) {
  const std::string::size_type length = s.size();
  char* array = new char[length + 1];
  std::memcpy(array, s.data(), length);
  array[length] = '\0';
  return array;
}
