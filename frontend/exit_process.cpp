#include <cstdlib>

#include "process_exit.h"

void morvac_exit(int status) {
  std::exit(status);
}
