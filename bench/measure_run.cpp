#include "measure_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace {

Measure run_once(const std::string& program, const std::string& directory,
                 const std::string& stderr_path, const std::string& argument) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int err = open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(err, 1);
    dup2(err, 2);
    if (chdir(directory.c_str()) != 0) _exit(126);
    unsetenv("DISPLAY");
    execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int wait_status = 0;
  rusage usage{};
  wait4(child, &wait_status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return {elapsed.count(), cpu, usage.ru_maxrss,
          WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1};
}

}  // namespace

std::size_t write_source(const std::string& directory, const std::string& source) {
  std::ofstream(directory + "/bench.strl", std::ios::binary) << source;
  return source.size();
}

Measure measure_run(const std::string& program, const std::string& directory,
                    const std::string& stderr_path, int repeats, const std::string& argument) {
  Measure best = run_once(program, directory, stderr_path, argument);
  for (int i = 1; i < repeats; ++i) {
    const Measure next = run_once(program, directory, stderr_path, argument);
    if (next.cpu_seconds < best.cpu_seconds) best = next;
  }
  return best;
}

std::string absolute_path(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) != nullptr ? std::string(resolved) : std::string();
}
