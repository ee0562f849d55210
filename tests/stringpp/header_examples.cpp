#include "header_examples.h"

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace {

bool is_name_character(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Reads the C escape at text[at], just after its backslash (\n \t \0 \xHH, or the character
// itself); moves at past it.
char unescape(const std::string& text, std::size_t& at) {
  const char c = text[at++];
  if (c == 'n') return '\n';
  if (c == 't') return '\t';
  if (c == '0') return '\0';
  if (c != 'x') return c;
  at += 2;
  return static_cast<char>(std::strtol(text.substr(at - 2, 2).c_str(), nullptr, 16));
}

// Reads the literal at text[at] ("...", '.', a number, or &name, which gives no text); moves at
// past it. Returns false when there is none.
bool read_literal(const std::string& text, std::size_t& at, std::string& value, bool& numeric) {
  if (at >= text.size()) return false;
  const char quote = text[at];
  numeric = false;
  if (quote == '"' || quote == '\'') {
    for (++at; at < text.size() && text[at] != quote;)
      value += text[at] == '\\' ? unescape(text, ++at) : text[at++];
    return at++ < text.size();
  }
  if (quote == '&') {
    while (++at < text.size() && is_name_character(text[at])) continue;
    return true;
  }
  char* end = nullptr;
  std::strtod(text.c_str() + at, &end);
  std::size_t length = static_cast<std::size_t>(end - (text.c_str() + at));
  if (length > 1 && text[at + length - 1] == '.') --length;  // the full stop of a sentence
  if (length == 0 || !(std::isdigit(static_cast<unsigned char>(quote)) || quote == '-'))
    return false;
  value = text.substr(at, length);
  numeric = true;
  at += length;
  return true;
}

// Reads "(arguments) is result" at text[at]; moves at past it.
bool read_call(const std::string& text, std::size_t& at, HeaderExample& example) {
  if (text.compare(at++, 1, "(") != 0) return false;
  while (at < text.size() && text[at] != ')') {
    std::string argument;
    bool numeric = false;
    const bool output = text[at] == '&';
    if (!read_literal(text, at, argument, numeric)) return false;
    if (!output) example.arguments.push_back(argument);
    if (text.compare(at, 2, ", ") == 0) at += 2;
  }
  if (text.compare(at, 5, ") is ") != 0) return false;
  at += 5;
  return read_literal(text, at, example.result, example.numeric_result);
}

}  // namespace

std::vector<HeaderExample> header_examples(const std::string& path, std::size_t& written) {
  std::vector<std::string> comments(1);
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("// ", 0) == 0) {
      comments.back() += (comments.back().empty() ? "" : " ") + line.substr(3);
    } else if (!comments.back().empty()) {
      comments.emplace_back();
    }
  }
  std::vector<HeaderExample> examples;
  written = 0;
  for (const std::string& text : comments) {
    for (std::size_t at = text.find(") is "); at != std::string::npos;
         at = text.find(") is ", at + 1))
      ++written;
    for (std::size_t at = 0; at < text.size(); ++at) {
      if (!std::isalpha(static_cast<unsigned char>(text[at])) || (at > 0 && text[at - 1] != ' '))
        continue;
      HeaderExample example;
      std::size_t end = at;
      while (end < text.size() && is_name_character(text[end])) ++end;
      example.function = text.substr(at, end - at);
      if (read_call(text, end, example)) {
        example.written = text.substr(at, end - at);
        examples.push_back(example);
        at = end - 1;
      }
    }
  }
  return examples;
}
