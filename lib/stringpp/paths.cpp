// File names and paths: plain slash-separated texts; only my_current_directory asks the system.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "Stringpp.h"

std::string extract_filename_name(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extract_filename_path(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string supress_filename_extension(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  const std::string::size_type name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::string::size_type dot = path.rfind('.');
  if (dot == std::string::npos || dot < name_start) return path;
  if (dot + 1 == path.size()) return path.substr(0, dot);
  if (path[dot + 1] == '/' || path[dot + 1] == '\\') return path;
  if (dot == 0) return "";
  if (path[dot - 1] == '.') return path;
  return path.substr(0, dot);
}

std::string my_current_directory() {
  const std::unique_ptr<char, decltype(&std::free)> directory(get_current_dir_name(), &std::free);
  return directory ? std::string(directory.get()) : std::string();
}

std::string relative_directory_path(const std::string& target, const std::string& base_given) {
  const std::string base = base_given.empty() ? my_current_directory() : base_given;
  std::cerr << "demarrage " << target << "|" << base << '\n';
  std::string result = ".";
  if (target != base) {
    // Strip the common leading components; t_start and b_start keep the remainders that begin
    // with the first differing components.
    std::string t = target;
    std::string b = base;
    std::string t_start;
    std::string b_start;
    bool same_directory = false;
    for (;;) {
      t_start = t;
      b_start = b;
      if (t.empty() && b.empty()) {  // equal to the end, e.g. "a/b/" against "a/b"
        same_directory = true;
        break;
      }
      if (next_record(t, '/', t) != next_record(b, '/', b)) break;
    }
    std::cerr << "intermediaire: " << t_start << "|" << b_start << '\n';
    if (!same_directory) {
      result.clear();
      if (!b_start.empty()) {
        const auto steps = std::count(b_start.begin(), b_start.end(), '/');
        for (std::ptrdiff_t i = 0; i < steps; ++i) result += "../";
        result += "..";
      }
      if (t_start == target && (target.empty() || target[0] != '/')) {
        result = target;  // nothing in common: a relative target stays as it is
      } else if (b_start.empty()) {
        result = t_start;
      } else if (!t_start.empty()) {
        result += "/" + t_start;
      }
    }
  }
  std::cerr << "--> " << result << '\n';
  return result;
}
