// Failure reports of the socket helpers: one line on standard error under a fixed prefix.
#ifndef MORVAC_SOCK_REPORT_H
#define MORVAC_SOCK_REPORT_H

namespace sock_internal {

// Writes "Sock error: ", `message` taken literally (never as a format) and a line end to
// standard error.
void report(const char* message);

// Reports `message`, then aborts the process: used when memory for a record runs out.
[[noreturn]] void report_and_abort(const char* message);

}  // namespace sock_internal

#endif  // MORVAC_SOCK_REPORT_H
