#include "program_files.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string read_program(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<fs::path> programs_in(const std::string& dirs) {
  std::vector<fs::path> out;
  std::stringstream list(dirs);
  for (std::string dir; std::getline(list, dir, '|');) {
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      if (entry.path().extension() == ".strl") out.push_back(entry.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}
