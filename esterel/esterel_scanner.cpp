#include "esterel_scanner.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace esterel {

namespace {

struct Keyword {
  std::string_view word;
  int code;
};

// Every keyword, in alphabetical order.
constexpr Keyword kKeywords[] = {
    {"abort", TOK_ABORT},
    {"and", TOK_AND},
    {"assign", TOK_ASSIGN},
    {"await", TOK_AWAIT},
    {"call", TOK_CALL},
    {"case", TOK_CASE},
    {"combine", TOK_COMBINE},
    {"constant", TOK_CONSTANT},
    {"copy", TOK_COPY},
    {"copymodule", TOK_COPYMODULE},
    {"do", TOK_DO},
    {"each", TOK_EACH},
    {"else", TOK_ELSE},
    {"elseif", TOK_ELSEIF},
    {"elsepresent", TOK_ELSEPRESENT},
    {"elsif", TOK_ELSIF},
    {"emit", TOK_EMIT},
    {"end", TOK_END},
    {"every", TOK_EVERY},
    {"exec", TOK_EXEC},
    {"exit", TOK_EXIT},
    {"false", TOK_FALSE_TOKEN},
    {"finalize", TOK_FINALIZE},
    {"function", TOK_FUNCTION},
    {"halt", TOK_HALT},
    {"handle", TOK_HANDLE},
    {"if", TOK_IF},
    {"immediate", TOK_IMMEDIATE},
    {"implies", TOK_IMPLIES},
    {"in", TOK_IN},
    {"input", TOK_INPUT},
    {"inputoutput", TOK_INPUTOUTPUT},
    {"loop", TOK_LOOP},
    {"mod", TOK_MOD},
    {"module", TOK_MODULE},
    {"not", TOK_NOT},
    {"nothing", TOK_NOTHING},
    {"or", TOK_OR},
    {"output", TOK_OUTPUT},
    {"pause", TOK_PAUSE},
    {"positive", TOK_POSITIVE},
    {"pre", TOK_PRE},
    {"present", TOK_PRESENT},
    {"procedure", TOK_PROCEDURE},
    {"relation", TOK_RELATION},
    {"repeat", TOK_REPEAT},
    {"return", TOK_RETURN},
    {"run", TOK_RUN},
    {"sensor", TOK_SENSOR},
    {"signal", TOK_SIGNAL},
    {"suspend", TOK_SUSPEND},
    {"sustain", TOK_SUSTAIN},
    {"task", TOK_TASK},
    {"then", TOK_THEN},
    {"timeout", TOK_TIMEOUT},
    {"times", TOK_TIMES},
    {"trap", TOK_TRAP},
    {"true", TOK_TRUE_TOKEN},
    {"type", TOK_TYPE},
    {"upto", TOK_UPTO},
    {"var", TOK_VAR},
    {"watching", TOK_WATCHING},
    {"weak", TOK_WEAK},
    {"when", TOK_WHEN},
    {"with", TOK_WITH},
    {"xcur", TOK_XCUR},
};

// Where the keywords of each first letter begin in kKeywords, and where those of the next do.
struct KeywordIndex {
  std::array<unsigned char, 27> start{};
};

constexpr KeywordIndex make_keyword_index() {
  KeywordIndex index;
  std::size_t at = 0;
  for (int letter = 0; letter < 26; ++letter) {
    index.start[letter] = static_cast<unsigned char>(at);
    while (at < std::size(kKeywords) && kKeywords[at].word[0] - 'a' == letter) ++at;
  }
  index.start[26] = static_cast<unsigned char>(at);
  return index;
}

constexpr KeywordIndex kKeywordIndex = make_keyword_index();
static_assert(kKeywordIndex.start[26] == std::size(kKeywords), "keywords are sorted");

// Returns the token code of word: its keyword's, or TOK_IDS.
int word_code(std::string_view word) {
  const int letter = word[0] - 'a';
  if (letter < 0 || letter >= 26) return TOK_IDS;
  for (std::size_t i = kKeywordIndex.start[letter]; i < kKeywordIndex.start[letter + 1]; ++i) {
    if (kKeywords[i].word == word) return kKeywords[i].code;
  }
  return TOK_IDS;
}

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

// The directives of the C preprocessor, which open its lines.
constexpr std::string_view kDirectives[] = {"define", "elif",   "else",  "endif",   "error",
                                            "if",     "ifdef",  "ifndef", "include", "line",
                                            "pragma", "undef",  "warning", "ident"};

// Returns the length of the UTF-8 character that starts with byte at s[at], or 1.
std::size_t character_length(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  // 0xF8 and above lead no character of UTF-8.
  const std::size_t length = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  if (lead < 0xC2 || at + length > s.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(s[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

class Scanner {
 public:
  explicit Scanner(std::string_view source) : s_(source) {}

  EsterelScan run() {
    // Programs hold a token for every six bytes or so: growing the list would copy it again and
    // again.
    out_.tokens.reserve(s_.size() / 4 + 1);
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
    } else if (c == '/' && (peek(1) == '/' || peek(1) == '*')) {
      c_comment();
    } else if (c == '#' && directive()) {
      return;
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

  void c_comment() {
    const std::size_t begin = at_;
    if (peek(1) == '/') {
      const std::size_t line_end = s_.find('\n', at_);
      at_ = line_end == std::string_view::npos ? s_.size() : line_end;
    } else {
      const std::size_t close = s_.find("*/", at_ + 2);
      if (close == std::string_view::npos) {
        at_ = s_.size();
        error(LexProblem::UnclosedCComment, begin, begin + 2);
      } else {
        at_ = close + 2;
      }
    }
    out_.comments.push_back(
        Span{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(at_)});
  }

  // A line of the C preprocessor: `#`, first on its line, then a directive or a line number. Its
  // lines continued by a backslash are its own. Returns whether one was read.
  bool directive() {
    std::size_t line_start = at_;
    while (line_start > 0 && (s_[line_start - 1] == ' ' || s_[line_start - 1] == '\t')) {
      --line_start;
    }
    if (line_start > 0 && s_[line_start - 1] != '\n') return false;
    std::size_t word = at_ + 1;
    while (word < s_.size() && (s_[word] == ' ' || s_[word] == '\t')) ++word;
    std::size_t end = word;
    while (end < s_.size() && is_name_char(static_cast<unsigned char>(s_[end]))) ++end;
    const std::string_view name = s_.substr(word, end - word);
    const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
      return is_digit(static_cast<unsigned char>(c));
    });
    if (!number && std::find(std::begin(kDirectives), std::end(kDirectives), name) ==
                       std::end(kDirectives)) {
      return false;
    }
    std::size_t line_end = s_.find('\n', end);
    while (line_end != std::string_view::npos && line_end > 0 &&
           (s_[line_end - 1] == '\\' ||
            (s_[line_end - 1] == '\r' && line_end > 1 && s_[line_end - 2] == '\\'))) {
      line_end = s_.find('\n', line_end + 1);
    }
    const std::size_t begin = at_;
    at_ = line_end == std::string_view::npos ? s_.size() : line_end;
    out_.directives.push_back(
        Span{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(at_)});
    return true;
  }

  void name() {
    std::size_t n = 1;
    while (is_name_char(peek(n))) ++n;
    token(word_code(s_.substr(at_, n)), n);
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
    if (c > 0x20 && c < 0x7F) {
      error(LexProblem::StrayCharacters, at_, at_ + 1);
      ++at_;
      return;
    }
    const std::size_t length = character_length(s_, at_);
    out_.no_text.push_back(Span{here(), static_cast<std::uint32_t>(at_ + length)});
    at_ += length;
  }

  std::string_view s_;
  std::size_t at_ = 0;
  EsterelScan out_;
};

}  // namespace

EsterelScan scan_esterel(std::string_view source) {
  return Scanner(source).run();
}

}  // namespace esterel
