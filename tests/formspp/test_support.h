// Helpers of the formspp tests: a scratch working directory, scripts, outside commands and
// rendered pages (read_file and the processes come from tests/support/run_process.h).
#ifndef MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
#define MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "run_process.h"

// A fresh directory that is the working directory for the object's life (the pager writes
// tmp.pdf and tmp.txt there).
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  const std::string path;

 private:
  const std::string previous_;
};

// Returns the lines of the document data/name.
[[nodiscard]] std::vector<std::string> data_document(const std::string& name);
// Writes an executable sh script.
void write_script(const std::string& name, const std::string& body);
// Runs a shell command; returns its exit status, and its output (with errors) in output.
int run_command(const std::string& command, std::string* output = nullptr);
// Returns true when a binary PGM image has a dark pixel in the box x0..x1, y0..y1, y counted
// upwards from the bottom as page coordinates are.
[[nodiscard]] bool ink(const std::string& pgm, int x0, int y0, int x1, int y1);

#endif  // MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
