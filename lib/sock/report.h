/* Failure reports of the socket helpers: one line on standard error under a fixed prefix. */
#ifndef MORVAC_SOCK_REPORT_H
#define MORVAC_SOCK_REPORT_H

/* Functions shared between the module's sources, kept out of the shared library's exports. */
#define SOCK_INTERNAL __attribute__((visibility("hidden")))

/* Writes "Sock error: ", `message` taken literally (never as a format) and a line end to
 * standard error. */
SOCK_INTERNAL void sock_internal_report(const char* message);

/* Reports `message`, then aborts the process: used when memory for a record runs out. */
SOCK_INTERNAL _Noreturn void sock_internal_report_and_abort(const char* message);

#endif /* MORVAC_SOCK_REPORT_H */
