// In-process runs of the translator: a morvac_exit inside the run returns here instead of ending
// the process.
#ifndef MORVAC_FRONTEND_EXIT_LONGJMP_H
#define MORVAC_FRONTEND_EXIT_LONGJMP_H

// Runs body(context); returns -1 when it completes, or the status that a morvac_exit inside it
// asked for. The frames between are left without running destructors, so body must keep its
// own objects outside (the translator's frames on that path hold none).
int run_catching_exit(void (*body)(void*), void* context);

#endif  // MORVAC_FRONTEND_EXIT_LONGJMP_H
