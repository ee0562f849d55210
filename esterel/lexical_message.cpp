#include "lexical_message.h"

#include <cstdio>

namespace esterel {

namespace {

const char* problem_message(LexProblem problem) {
  switch (problem) {
    case LexProblem::UnclosedComment:
      return "comment block `%{` is never closed by `}%`";
    case LexProblem::UnclosedCComment:
      return "comment `/*` is never closed by `*/`";
    case LexProblem::UnclosedString:
      return "string is cut by the end of its line";
    case LexProblem::StrayCharacters:
      return "no Esterel token starts with ";
  }
  return "";
}

}  // namespace

std::string shown_bytes(std::string_view text) {
  std::string out = "`";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out + "`";
}

std::string lexical_message(std::string_view source, const LexError& error) {
  std::string message = problem_message(error.problem);
  if (error.problem == LexProblem::StrayCharacters) {
    message += shown_bytes(source.substr(error.span.begin, error.span.end - error.span.begin));
  }
  return message;
}

}  // namespace esterel
