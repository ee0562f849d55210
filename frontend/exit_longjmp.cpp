#include "exit_longjmp.h"

#include <csetjmp>
#include <cstdlib>

#include "process_exit.h"

namespace {

std::jmp_buf* landing = nullptr;
int landing_status = 0;

}  // namespace

void morvac_exit(int status) {
  if (landing == nullptr) std::exit(status);
  landing_status = status;
  std::longjmp(*landing, 1);
}

int run_catching_exit(void (*body)(void*), void* context) {
  std::jmp_buf here;
  std::jmp_buf* const outer = landing;
  landing = &here;
  if (setjmp(here) != 0) {
    landing = outer;
    return landing_status;
  }
  body(context);
  landing = outer;
  return -1;
}
