#include "report.h"

#include <cstdio>
#include <cstdlib>

namespace sock_internal {

void report(const char* message) {
  // One call, so that the line reaches an unbuffered stderr in one piece.
  std::fprintf(stderr, "Sock error: %s\n", message);
}

void report_and_abort(const char* message) {
  report(message);
  std::abort();
}

}  // namespace sock_internal
