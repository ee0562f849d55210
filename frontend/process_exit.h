// How the translator ends the process from inside a run (a refused construct, a fatal scanner
// error). The program links exit_process.cpp; in-process harnesses (fuzzing, unit tests) link
// exit_longjmp.cpp instead, which returns to the harness.
#ifndef MORVAC_FRONTEND_PROCESS_EXIT_H
#define MORVAC_FRONTEND_PROCESS_EXIT_H

// Ends the run with the given exit status; never returns to its caller.
[[noreturn]] void morvac_exit(int status);

#endif  // MORVAC_FRONTEND_PROCESS_EXIT_H
