// Runs the morvac program on one generated source and measures the run.
#ifndef MORVAC_BENCH_RUN_MORVAC_H
#define MORVAC_BENCH_RUN_MORVAC_H

#include <string>

struct Measure {
  double seconds;       // wall-clock time of the run
  double cpu_seconds;   // user and system time of the run: steadier on a busy machine
  long peak_kilobytes;  // the child's maximum resident set size
  int status;           // exit status
};

// Writes source to <directory>/bench.strl and runs `morvac bench` there, with standard output
// and standard error sent to stderr_path; returns the run of least CPU time among `repeats`.
Measure run_morvac(const std::string& morvac, const std::string& directory,
                   const std::string& source, const std::string& stderr_path, int repeats);

#endif  // MORVAC_BENCH_RUN_MORVAC_H
