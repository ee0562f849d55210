#include "test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

ScratchDirectory::ScratchDirectory() {
  std::string pattern = std::filesystem::temp_directory_path() / "formspp-XXXXXX";
  path_ = mkdtemp(pattern.data()) == nullptr ? "" : pattern;
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void write_file(const std::string& name, const std::string& content, bool executable) {
  std::ofstream(name, std::ios::binary) << content;
  if (executable) chmod(name.c_str(), 0755);
}

bool file_exists(const std::string& name) {
  return access(name.c_str(), F_OK) == 0;
}

int run_command(const std::string& command, std::string* output) {
  const std::string capture = "command-output.txt";
  const int status = std::system((command + " >" + capture + " 2>&1").c_str());
  if (output != nullptr) *output = read_file(capture);
  std::remove(capture.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool GreyPage::has_ink(int x0, int y0, int x1, int y1) const {
  for (int y = std::max(y0, 0); y <= y1 && y < height; ++y) {
    for (int x = std::max(x0, 0); x <= x1 && x < width; ++x) {
      if (pixels[static_cast<size_t>(y) * width + x] < 160) return true;
    }
  }
  return false;
}

GreyPage read_pgm(const std::string& name) {
  GreyPage page;
  std::istringstream in(read_file(name));
  // Header fields may be separated by comment lines.
  const auto next_field = [&in]() {
    std::string field;
    while (in >> field && field[0] == '#') std::getline(in, field);
    return field;
  };
  const std::string magic = next_field();
  page.width = std::atoi(next_field().c_str());
  page.height = std::atoi(next_field().c_str());
  const int maximum = std::atoi(next_field().c_str());
  in.get();
  if (magic != "P5" || maximum != 255 || page.width <= 0 || page.height <= 0) return GreyPage();
  page.pixels.resize(static_cast<size_t>(page.width) * page.height);
  in.read(reinterpret_cast<char*>(page.pixels.data()), static_cast<long>(page.pixels.size()));
  return page;
}
