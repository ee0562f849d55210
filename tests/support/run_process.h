// Runs a program as a child process, the way a user's shell would, and collects what it did.
#ifndef MORVAC_TESTS_RUN_PROCESS_H
#define MORVAC_TESTS_RUN_PROCESS_H

#include <string>
#include <vector>

struct ProcessResult {
  int status = -1;  // exit status, or 128 + signal number when a signal ended it
  std::string out;  // standard output
  std::string err;  // standard error
};

struct ProcessOptions {
  std::string directory;                 // working directory ("" keeps the current one)
  bool keep_display = false;             // false: DISPLAY is removed from the environment
  std::string display;                   // when set, DISPLAY is this instead
  std::vector<int> closed_streams;       // standard descriptors (0, 1, 2) closed at start
  bool err_to_closed_pipe = false;       // standard error is a pipe whose reader is gone
  std::vector<std::string> environment;  // NAME=value entries added to the environment
};

// Runs argv[0] (a path) with the arguments argv, and returns how it ended and its output.
ProcessResult run_process(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// Returns the whole content of a file, or "" when it cannot be read; sets *exists accordingly.
std::string read_file(const std::string& path, bool* exists = nullptr);

// Writes content to path, replacing it.
void write_file(const std::string& path, const std::string& content);

// Returns a new empty directory under the system's temporary directory.
std::string make_temp_directory();

#endif  // MORVAC_TESTS_RUN_PROCESS_H
