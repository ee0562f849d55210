#include "test_support.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "formspp/text_lines.h"

ScratchDirectory::ScratchDirectory()
    : path(make_temp_directory()), previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::filesystem::remove_all(path);
}

std::vector<std::string> data_document(const std::string& name) {
  return formspp_split_lines(read_file(FORMSPP_DATA_DIR "/" + name));
}

void write_script(const std::string& name, const std::string& body) {
  write_file(name, "#!/bin/sh\n" + body + "\n");
  chmod(name.c_str(), 0755);
}

int run_command(const std::string& command, std::string* output) {
  const ProcessResult result = run_process({"/bin/sh", "-c", command + " 2>&1"});
  if (output != nullptr) *output = result.out;
  return result.status;
}

bool ink(const std::string& pgm, int x0, int y0, int x1, int y1) {
  std::istringstream in(read_file(pgm));
  int header[3] = {};  // width, height, maximum; comment lines may come between
  std::string field;
  in >> field;
  for (int& value : header) {
    while (in >> field && field[0] == '#') std::getline(in, field);
    value = std::atoi(field.c_str());
  }
  in.get();
  const std::string pixels(std::istreambuf_iterator<char>(in), {});
  const int width = header[0], height = header[1];
  for (int y = std::max(height - y1, 0); y <= height - y0 && y < height; ++y) {
    for (int x = std::max(x0, 0); x <= x1 && x < width; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      if (at < pixels.size() && static_cast<unsigned char>(pixels[at]) < 160) return true;
    }
  }
  return false;
}
