// File names and paths: plain slash-separated texts; only my_current_directory asks the system.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>

#include "Stringpp.h"

namespace {

// Returns the component of path that starts at at (the text before the next slash, empty at
// the end) and moves at past it and its slash, as next_record does with the remainder.
std::string_view next_component(const std::string& path, std::string::size_type& at) {
  const std::string::size_type slash = path.find('/', at);
  const std::string::size_type end = slash == std::string::npos ? path.size() : slash;
  const std::string_view component = std::string_view(path).substr(at, end - at);
  at = slash == std::string::npos ? path.size() : slash + 1;
  return component;
}

}  // namespace

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
    // Strip the common leading components. The remainders are kept as positions and each
    // component is compared in place: copying both remainders at every component took time in
    // the square of the shared depth. t_start and b_start keep the remainders that begin with
    // the first differing components.
    std::string::size_type t = 0;
    std::string::size_type b = 0;
    std::string::size_type t_start = 0;
    std::string::size_type b_start = 0;
    bool same_directory = false;
    for (;;) {
      t_start = t;
      b_start = b;
      if (t == target.size() && b == base.size()) {  // equal to the end, e.g. "a/b/" against "a/b"
        same_directory = true;
        break;
      }
      if (next_component(target, t) != next_component(base, b)) break;
    }
    const std::string_view t_rest = std::string_view(target).substr(t_start);
    const std::string_view b_rest = std::string_view(base).substr(b_start);
    std::cerr << "intermediaire: " << t_rest << "|" << b_rest << '\n';
    if (!same_directory) {
      result.clear();
      if (!b_rest.empty()) {
        const auto steps = std::count(b_rest.begin(), b_rest.end(), '/');
        for (std::ptrdiff_t i = 0; i < steps; ++i) result += "../";
        result += "..";
      }
      if (t_start == 0 && (target.empty() || target[0] != '/')) {
        result = target;  // nothing in common: a relative target stays as it is
      } else if (b_rest.empty()) {
        result = t_rest;
      } else if (!t_rest.empty()) {
        result.append("/").append(t_rest);
      }
    }
  }
  std::cerr << "--> " << result << '\n';
  return result;
}
