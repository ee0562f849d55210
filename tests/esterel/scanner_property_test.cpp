// The reader's scanner against morvac's own scanner rules, and on every program of the
// repository: where Esterel and morvac spell a token alike, both read it with the same code and
// span; every keyword of morvac is one of the reader's; and every byte of a program is read
// once, as a token, a comment, a preprocessor line, a character that is no text, a stray
// character, or a blank.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "esterel_scanner.h"
#include "program_files.h"
#include "strl5_rules.h"

namespace {

using esterel::Span;
using esterel::Token;

// morvac's tokens of text, by its own scanner rules; the end of input left out.
std::vector<Token> morvac_tokens(const std::string& text) {
  std::vector<Token> tokens;
  strl5_rules::MinusRun run;
  std::int64_t offset = 0;
  const auto size = static_cast<std::int64_t>(text.size());
  auto peek = [&](std::int64_t i) -> int {
    return offset + i < size ? static_cast<unsigned char>(text[offset + i]) : -1;
  };
  auto start = [&] { return text.data() + offset; };
  for (;;) {
    const strl5_rules::Match match = strl5_rules::match(peek, start, offset, run);
    if (match.code == strl5_rules::kEndOfInput) break;
    if (match.code != strl5_rules::kEcho) {
      tokens.push_back(Token{match.code, Span{static_cast<std::uint32_t>(offset),
                                              static_cast<std::uint32_t>(offset + match.length)}});
    }
    offset += match.code == strl5_rules::kEcho ? 1 : match.length;
  }
  return tokens;
}

// The reader's tokens of text; the end of input left out.
std::vector<Token> reader_tokens(const std::string& text) {
  std::vector<Token> tokens = esterel::scan_esterel(text).tokens;
  tokens.pop_back();
  return tokens;
}

std::string shown(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    out += std::to_string(t.code) + "@" + std::to_string(t.span.begin) + "-" +
           std::to_string(t.span.end) + " ";
  }
  return out;
}

// morvac's keywords, the whole set, and "mod".
const char* const kMorvacWords[] = {
    "module",  "type",    "constant",    "function", "procedure",   "signal", "combine",
    "with",    "input",   "return",      "output",   "inputoutput", "sensor", "relation",
    "implies", "nothing", "halt",        "assign",   "call",        "emit",   "do",
    "upto",    "end",     "present",     "loop",     "if",          "then",   "else",
    "elseif",  "trap",    "in",          "handle",   "exit",        "var",    "immediate",
    "sustain", "repeat",  "times",       "positive", "pause",       "await",  "each",
    "case",    "every",   "watching",    "timeout",  "abort",       "weak",   "copymodule",
    "run",     "copy",    "elsepresent", "true",     "false",       "exec",   "task",
    "suspend", "when",    "finalize",    "xcur",     "or",          "and",    "not",
    "pre",     "mod"};

TEST(EsterelScannerProperty, EveryKeywordOfMorvacIsReadWithItsCode) {
  ASSERT_EQ(65u, std::size(kMorvacWords));
  for (const char* word : kMorvacWords) {
    const strl5_rules::Keyword* keyword = strl5_rules::find_keyword(word);
    ASSERT_NE(nullptr, keyword) << word;
    const std::vector<Token> read = reader_tokens(word);
    ASSERT_EQ(1u, read.size()) << word;
    EXPECT_EQ(keyword->code, read[0].code) << word;
    // Upper case and a letter more make a name to both.
    for (const std::string& name : {std::string(word) + "s", std::string(word) + "_1"}) {
      EXPECT_EQ(shown(morvac_tokens(name)), shown(reader_tokens(name))) << name;
    }
  }
  EXPECT_EQ(TOK_ELSIF, reader_tokens("elsif").at(0).code) << "the reader's own keyword";
  EXPECT_EQ(TOK_IDS, morvac_tokens("elsif").at(0).code);
}

// Texts of pieces that both scanners read alike, between blanks of every kind: both read the
// same tokens, code for code and span for span.
TEST(EsterelScannerProperty, AgreesWithMorvacWhereBothSpellAlike) {
  std::vector<std::string> pieces(std::begin(kMorvacWords), std::end(kMorvacWords));
  for (const char* piece :
       {"=",    "!=", "<",  "<=",  ">",   ">=", "+",       "-",       "*", "/",
        "(",    ")",  "[",  "]",   ";",   ",",  ":",       "||",      "x", "S_1",
        "abc9", "0",  "42", "007", "1.5", "5.", "\"a b\"", "\"x=1;\""}) {
    pieces.emplace_back(piece);
  }
  const char* const blanks[] = {" ", "\t", "\n", "\r\n", "  \n\t"};
  std::mt19937 dice(29);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int count = 1 + static_cast<int>(dice() % 40);
    for (int i = 0; i < count; ++i) {
      text += pieces[dice() % pieces.size()];
      text += blanks[dice() % std::size(blanks)];
    }
    ASSERT_EQ(shown(morvac_tokens(text)), shown(reader_tokens(text))) << text;
  }
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Every byte of every program: in one token, comment, preprocessor line, character without text
// or stray character, or a blank. Only an unclosed block's error lies inside its comment.
TEST(EsterelScannerProperty, EveryByteOfEveryProgramIsReadOnce) {
  const auto programs = programs_in(PROGRAM_DIRS);
  ASSERT_LT(100u, programs.size());
  for (const auto& program : programs) {
    const std::string source = read_program(program);
    const esterel::EsterelScan scan = esterel::scan_esterel(source);
    std::vector<int> readers(source.size() + 1, 0);
    const auto mark = [&](Span span) {
      ASSERT_LE(span.begin, span.end) << program;
      ASSERT_LE(span.end, source.size()) << program;
      for (std::uint32_t i = span.begin; i < span.end; ++i) ++readers[i];
    };
    for (std::size_t i = 0; i + 1 < scan.tokens.size(); ++i) {
      ASSERT_LT(scan.tokens[i].span.begin, scan.tokens[i].span.end) << program;
      ASSERT_LE(scan.tokens[i].span.end, scan.tokens[i + 1].span.begin) << program;
      mark(scan.tokens[i].span);
    }
    EXPECT_EQ(0, scan.tokens.back().code) << program;
    for (const Span& s : scan.comments) mark(s);
    for (const Span& s : scan.directives) mark(s);
    for (const Span& s : scan.no_text) mark(s);
    for (const esterel::LexError& e : scan.errors) {
      if (e.problem == esterel::LexProblem::StrayCharacters) mark(e.span);
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
      ASSERT_LE(readers[i], 1) << program << ": byte " << i << " read twice";
      if (readers[i] == 0) {
        ASSERT_TRUE(is_blank(source[i]) || source[i] == '"')
            << program << ": byte " << i << " (" << static_cast<int>(source[i]) << ") unread";
      }
    }
  }
}

}  // namespace
