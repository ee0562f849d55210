// Runs a translator-like program (morvac, or the floor) on one source and measures the run.
#ifndef MORVAC_BENCH_MEASURE_RUN_H
#define MORVAC_BENCH_MEASURE_RUN_H

#include <cstddef>
#include <string>

struct Measure {
  double seconds;       // wall-clock time of the run
  double cpu_seconds;   // user and system time: steadier on a busy machine
  long peak_kilobytes;  // the child's maximum resident set size
  int status;           // exit status
};

// Writes source to <directory>/bench.strl; returns its size.
std::size_t write_source(const std::string& directory, const std::string& source);

// Runs `<program> <argument>` (the base name "bench" by default) in directory with standard
// output and standard error sent to stderr_path; returns the run of least CPU time among
// `repeats`.
Measure measure_run(const std::string& program, const std::string& directory,
                    const std::string& stderr_path, int repeats,
                    const std::string& argument = "bench");

// Returns the absolute form of path, or "" when it does not exist.
std::string absolute_path(const char* path);

#endif  // MORVAC_BENCH_MEASURE_RUN_H
