#include "token_names.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace esterel {

namespace {

constexpr std::pair<std::string_view, std::string_view> kSpellings[] = {
    {"PVIRGULE", ";"},
    {"VIRGULE", ","},
    {"DEUXPOINTS", ":"},
    {"OPENP", "("},
    {"CLOSEP", ")"},
    {"OPENC", "["},
    {"CLOSEC", "]"},
    {"PARALLEL", "||"},
    {"EQUAL", "="},
    {"NEQ", "<>"},
    {"INFEQ", "<="},
    {"SUPEQ", ">="},
    {"INF", "<"},
    {"SUP", ">"},
    {"PLUS", "+"},
    {"MINUS", "-"},
    {"MULT", "*"},
    {"SLASH", "/"},
    {"ASSIGN", ":="},
    {"IMPLIES", "=>"},
    {"QQ", "??"},
    {"TRUE_TOKEN", "true"},
    {"FALSE_TOKEN", "false"},
};

constexpr std::size_t kMostListed = 8;

bool shows_its_text(std::string_view symbol) {
  return symbol == "IDS" || symbol == "NATURAL" || symbol == "FLOAT" || symbol == "DOUBLE";
}

}  // namespace

std::string token_display(std::string_view symbol) {
  if (symbol == "IDS") return "name";
  if (symbol == "STRING") return "string";
  if (symbol == "NATURAL" || symbol == "FLOAT" || symbol == "DOUBLE") return "number";
  if (symbol.size() == 3 && symbol.front() == '\'') return "`" + std::string(1, symbol[1]) + "`";
  for (const auto& [name, spelling] : kSpellings) {
    if (name == symbol) return "`" + std::string(spelling) + "`";
  }
  const bool keyword = !symbol.empty() && std::all_of(symbol.begin(), symbol.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
  });
  if (symbol == "$end") return "end of file";
  if (!keyword) return std::string(symbol);  // error, invalid token
  std::string word(symbol);
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "`" + word + "`";
}

namespace {

std::string shown_with_text(std::string_view symbol, std::string_view text) {
  std::string shown = token_display(symbol);
  if (shows_its_text(symbol)) shown += " `" + std::string(text) + "`";
  return shown;
}

}  // namespace

std::string missing_token_message(std::string_view missing, std::string_view before,
                                  std::string_view text) {
  return "syntax error, missing " + token_display(missing) + " before " +
         shown_with_text(before, text);
}

std::string syntax_error_message(std::string_view unexpected, std::string_view text,
                                 const std::vector<const char*>& expected) {
  std::string message = "syntax error, unexpected " + shown_with_text(unexpected, text);
  std::vector<std::string> names;
  for (const char* symbol : expected) {
    std::string name = token_display(symbol);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  for (std::size_t i = 0; i < names.size() && i < kMostListed; ++i) {
    message += (i == 0 ? ", expecting " : " or ") + names[i];
  }
  if (names.size() > kMostListed) message += " or ...";
  return message;
}

}  // namespace esterel
