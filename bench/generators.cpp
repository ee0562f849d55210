#include "generators.h"

namespace {

std::string module_of(const std::string& body) {
  return "module BENCH :\ninput I;\noutput S;\n" + body + "\nend module\n";
}

std::string repeated(std::size_t n, const std::string& item, const std::string& separator) {
  std::string body;
  body.reserve(n * (item.size() + separator.size()));
  for (std::size_t i = 0; i < n; ++i) {
    if (i != 0) body += separator;
    body += item;
  }
  return body;
}

}  // namespace

std::string long_sequence(std::size_t n) { return module_of(repeated(n, "emit S", ";\n")); }

std::string wide_parallel(std::size_t n) { return module_of(repeated(n, "emit S", "\n||\n")); }
