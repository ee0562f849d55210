// Helpers shared by the formspp tests: a scratch working directory, files and rendered pages.
#ifndef MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
#define MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H

#include <string>
#include <vector>

// Makes a fresh directory and works in it for the object's life (the pager writes tmp.pdf and
// tmp.txt in the current directory); removes it afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  [[nodiscard]] const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// Returns the whole content of a file, or "" if it cannot be read.
[[nodiscard]] std::string read_file(const std::string& name);
void write_file(const std::string& name, const std::string& content, bool executable = false);
[[nodiscard]] bool file_exists(const std::string& name);

// Runs a shell command with its output sent to output (standard error included); returns its
// exit code.
int run_command(const std::string& command, std::string* output = nullptr);

// A page rendered to an 8-bit grey image; y grows downwards.
struct GreyPage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;

  // Returns true when some pixel of the box x0..x1, y0..y1 (inclusive) is dark.
  [[nodiscard]] bool has_ink(int x0, int y0, int x1, int y1) const;
};

// Reads a binary PGM (P5) file; an unreadable file gives a 0 x 0 page.
[[nodiscard]] GreyPage read_pgm(const std::string& name);

#endif  // MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
