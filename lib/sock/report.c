#include "report.h"

#include <stdio.h>
#include <stdlib.h>

void sock_internal_report(const char* message) {
  /* One call, so that the line reaches an unbuffered stderr in one piece. */
  fprintf(stderr, "Sock error: %s\n", message);
}

void sock_internal_report_and_abort(const char* message) {
  sock_internal_report(message);
  abort();
}
