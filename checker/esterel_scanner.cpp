#include "esterel_scanner.h"

#include "check_grammar.hh"
#include "strl5_rules.h"

namespace {

bool is_letter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(int c) {
  return c >= '0' && c <= '9';
}
bool is_name_char(int c) {
  return is_letter(c) || is_digit(c) || c == '_';
}
bool is_blank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

class Scanner {
 public:
  explicit Scanner(std::string_view source) : s_(source) {}

  EsterelScan run() {
    while (at_ < s_.size()) step();
    out_.tokens.push_back(Token{0, {here(), here()}});
    return std::move(out_);
  }

 private:
  [[nodiscard]] int peek(std::size_t ahead = 0) const {
    return at_ + ahead < s_.size() ? static_cast<unsigned char>(s_[at_ + ahead]) : -1;
  }
  [[nodiscard]] std::uint32_t here() const { return static_cast<std::uint32_t>(at_); }

  void token(int code, std::size_t length) {
    out_.tokens.push_back(Token{code, {here(), static_cast<std::uint32_t>(at_ + length)}});
    at_ += length;
  }

  void error(LexProblem problem, std::size_t begin, std::size_t end) {
    const Span span{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)};
    // A run of stray characters is one finding.
    if (problem == LexProblem::StrayCharacters && !out_.errors.empty() &&
        out_.errors.back().problem == problem && out_.errors.back().span.end == begin) {
      out_.errors.back().span.end = span.end;
      return;
    }
    out_.errors.push_back(LexError{problem, span});
  }

  void step() {
    const int c = peek();
    if (is_blank(c)) {
      ++at_;
    } else if (c == '%') {
      comment();
    } else if (is_letter(c) || c == '_') {
      name();
    } else if (is_digit(c) || (c == '.' && is_digit(peek(1)))) {
      number();
    } else if (c == '"') {
      string();
    } else {
      punctuation(c);
    }
  }

  void comment() {
    const std::size_t begin = at_;
    if (peek(1) == '{') {
      const std::size_t close = s_.find("}%", at_ + 2);
      if (close == std::string_view::npos) {
        at_ = s_.size();
        error(LexProblem::UnclosedComment, begin, begin + 2);
      } else {
        at_ = close + 2;
      }
    } else {
      const std::size_t line_end = s_.find('\n', at_);
      at_ = line_end == std::string_view::npos ? s_.size() : line_end;
    }
    out_.comments.push_back(
        Span{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(at_)});
  }

  void name() {
    std::size_t n = 1;
    while (is_name_char(peek(n))) ++n;
    const std::string_view word = s_.substr(at_, n);
    int code = TOK_IDS;
    if (word == "elsif") {
      code = TOK_ELSIF;
    } else if (const strl5_rules::Keyword* keyword = strl5_rules::find_keyword(word)) {
      code = keyword->code;  // morvac's code, which the checker's grammar shares
    }
    token(code, n);
  }

  // digits, a point and digits, an exponent, an `f` suffix; or a point and digits.
  void number() {
    std::size_t n = 0;
    while (is_digit(peek(n))) ++n;
    bool natural = true;
    if (peek(n) == '.') {
      natural = false;
      ++n;
      while (is_digit(peek(n))) ++n;
    }
    if (peek(n) == 'e' || peek(n) == 'E') {
      std::size_t e = n + 1;
      if (peek(e) == '+' || peek(e) == '-') ++e;
      if (is_digit(peek(e))) {
        natural = false;
        n = e;
        while (is_digit(peek(n))) ++n;
      }
    }
    if (!natural && (peek(n) == 'f' || peek(n) == 'F') && !is_name_char(peek(n + 1))) ++n;
    token(natural ? TOK_NATURAL : TOK_FLOAT, n);
  }

  // A doubled quote stands for one quote; a line end before the closing quote cuts the string.
  void string() {
    std::size_t n = 1;
    for (;;) {
      const int c = peek(n);
      if (c == '"' && peek(n + 1) == '"') {
        n += 2;
      } else if (c == '"') {
        token(TOK_STRING, n + 1);
        return;
      } else if (c == '\n' || c == -1) {
        error(LexProblem::UnclosedString, at_, at_ + n);
        token(TOK_STRING, n);
        return;
      } else {
        ++n;
      }
    }
  }

  void punctuation(int c) {
    const int next = peek(1);
    switch (c) {
      case ':':
        return next == '=' ? token(TOK_ASSIGN, 2) : token(TOK_DEUXPOINTS, 1);
      case '=':
        return next == '>' ? token(TOK_IMPLIES, 2) : token(TOK_EQUAL, 1);
      case '<':
        if (next == '>') return token(TOK_NEQ, 2);
        return next == '=' ? token(TOK_INFEQ, 2) : token(TOK_INF, 1);
      case '>':
        return next == '=' ? token(TOK_SUPEQ, 2) : token(TOK_SUP, 1);
      case '!':
        if (next == '=') return token(TOK_NEQ, 2);
        break;
      case '|':
        if (next == '|') return token(TOK_PARALLEL, 2);
        break;
      case '?':
        return next == '?' ? token(TOK_QQ, 2) : token('?', 1);
      case '#':
      case '.':
        return token(c, 1);
      case '+':
        return token(TOK_PLUS, 1);
      case '-':
        return token(TOK_MINUS, 1);
      case '*':
        return token(TOK_MULT, 1);
      case '/':
        return token(TOK_SLASH, 1);
      case '(':
        return token(TOK_OPENP, 1);
      case ')':
        return token(TOK_CLOSEP, 1);
      case '[':
        return token(TOK_OPENC, 1);
      case ']':
        return token(TOK_CLOSEC, 1);
      case ';':
        return token(TOK_PVIRGULE, 1);
      case ',':
        return token(TOK_VIRGULE, 1);
      default:
        break;
    }
    error(LexProblem::StrayCharacters, at_, at_ + 1);
    ++at_;
  }

  std::string_view s_;
  std::size_t at_ = 0;
  EsterelScan out_;
};

}  // namespace

EsterelScan scan_esterel(std::string_view source) {
  return Scanner(source).run();
}
