// The scanner on its own: token codes, token texts, trace items and echoed characters (the cases
// in tokens.tsv and scanner.tsv), and the operations of its class.
#include <gtest/gtest.h>

#include <cctype>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "exit_longjmp.h"
#include "lex.strl5.h"
#include "parse_strl5.hh"

namespace {

// Standard error, where the scanner writes its trace, redirected into text for the object's life.
struct Trace {
  std::ostringstream text;
  std::streambuf* const saved = std::cerr.rdbuf(text.rdbuf());
  ~Trace() { std::cerr.rdbuf(saved); }
};

// Returns "NAME:text" for a token, NAME from the grammar's %token declarations.
std::string token(int code, const std::string& text) {
  static const std::map<int, std::string> names = grammar_token_names(GRAMMAR_FILE);
  const auto name = names.find(code);
  return (name == names.end() ? std::to_string(code) : name->second) + ":" + text;
}

struct Scan {
  CaseFields tokens;  // token(code, text) per token
  std::string line;   // the tokens, each followed by a blank
  std::string trace;  // standard error
  std::string echo;   // the echo stream
  std::string kinds;  // in order, "." per echoed character and each trace item less "token "
};

Scan scan(const std::string& source) {
  std::istringstream input(source);
  std::ostringstream echo;
  Trace trace;
  strl5FlexLexer scanner(&input, &echo);
  Scan result;
  std::vector<std::pair<std::size_t, std::size_t>> ends;  // of the echo and the trace, per token
  while (const int code = scanner.yylex()) {
    result.tokens.push_back(token(code, scanner.YYText()));
    result.line += result.tokens.back() + " ";
    ends.emplace_back(echo.tellp(), trace.text.tellp());
  }
  EXPECT_EQ(0, scanner.yylex()) << "end of input is sticky";
  result.trace = trace.text.str();
  result.echo = echo.str();
  ends.emplace_back(result.echo.size(), result.trace.size());
  for (std::size_t i = 0, echoed = 0, traced = 0; i < ends.size(); ++i) {
    for (; echoed < ends[i].first; ++echoed) result.kinds += ". ";
    if (i + 1 < ends.size())
      result.kinds += result.trace.substr(traced + 6, ends[i].second - traced - 6);
    traced = ends[i].second;
  }
  if (!result.kinds.empty()) result.kinds.pop_back();
  return result;
}

// A class derived from the scanner: it reaches the protected operations, the scanner delivers
// its characters through LexerInput and LexerOutput one at a time for it, and its yywrap goes on
// with the input second once, when there is one.
class CountingScanner : public strl5FlexLexer {
 public:
  using strl5FlexLexer::strl5FlexLexer;
  using strl5FlexLexer::yy_pop_state;
  using strl5FlexLexer::yy_push_state;
  using strl5FlexLexer::yy_top_state;
  using strl5FlexLexer::yyinput;
  using strl5FlexLexer::yyunput;
  int reads = 0;
  int writes = 0;
  std::istream* second = nullptr;

 protected:
  int yywrap() override {
    if (second == nullptr) return 1;
    yyrestart(std::exchange(second, nullptr));
    return 0;
  }
  int LexerInput(char* buf, int max_size) override {
    ++reads;
    return strl5FlexLexer::LexerInput(buf, max_size);
  }
  void LexerOutput(const char* buf, int size) override {
    ++writes;
    EXPECT_EQ(1, size) << "the default rule echoes one character at a time";
    strl5FlexLexer::LexerOutput(buf, size);
  }
};

// The words and splits of tokens.tsv; the sources and bytes of scanner.tsv, in the places where
// the character classes decide.
TEST(Scanner, CasesOfTheTables) {
  const auto word = [](const CaseFields& args) {
    const std::string& w = args[0];
    Scan s = scan(" " + w + "\n");
    EXPECT_EQ(" \n", s.echo);
    if (std::isalpha(static_cast<unsigned char>(w[0]))) {
      for (const std::string& id : {w + "_", w + "1", "X" + w})
        EXPECT_EQ(CaseFields{token(IDS, id)}, scan(id).tokens);
    }
    s.tokens.insert(s.tokens.begin(), s.trace);
    return s.tokens;
  };
  const auto split = [](const CaseFields& args) {
    const std::string& source = args[0];
    Scan s = scan(source);
    std::istringstream input(source);
    std::ostringstream echo;
    const Trace trace;
    CountingScanner scanner(&input, &echo);
    std::string derived;
    while (const int code = scanner.yylex()) derived += token(code, scanner.YYText()) + " ";
    EXPECT_EQ(static_cast<int>(source.size()) + 1, scanner.reads)
        << "one read per character, one that meets the end";
    EXPECT_EQ(static_cast<int>(s.echo.size()), scanner.writes);
    EXPECT_EQ(s.line, derived);
    EXPECT_EQ(s.echo, echo.str());
    s.tokens.insert(s.tokens.begin(), s.echo);
    return s.tokens;
  };
  expect_cases(TABLE_DIR "/tokens.tsv", {{"word", word}, {"split", split}});

  std::set<std::string> bytes;
  const auto source = [](const CaseFields& args) -> CaseFields { return {scan(args[0]).kinds}; };
  const auto tokens = [](const CaseFields& args) -> CaseFields { return {scan(args[0]).line}; };
  const auto byte = [&](const CaseFields& args) -> CaseFields {
    const std::string& b = *bytes.insert(args[0]).first;
    return {scan(" " + b + " ").kinds, scan("\"a" + b + "b\"").kinds, scan("a" + b + "b").kinds,
            scan("1" + b).kinds,       scan("-" + b).kinds,           scan("1." + b).kinds};
  };
  expect_cases(TABLE_DIR "/scanner.tsv", {{"source", source}, {"tokens", tokens}, {"byte", byte}});
  EXPECT_EQ(256u, bytes.size()) << "one case per byte";
}

// A stream whose reading fails, like a directory opened as a file.
struct FailingBuffer : std::streambuf {
  int_type underflow() override { throw std::ios_base::failure("read error"); }
};

TEST(Scanner, AFailingInputIsAFatalErrorWithStatus2) {
  struct Run {
    FailingBuffer failing;
    std::istream input{&failing};
    std::ostringstream echo;
    strl5FlexLexer scanner{&input, &echo};
    int code = -1;
  } run;
  const Trace errors;
  const int status = run_catching_exit(
      [](void* context) {
        auto* run = static_cast<Run*>(context);
        run->code = run->scanner.yylex();
      },
      &run);
  EXPECT_EQ("input in flex scanner failed\n", errors.text.str());
  EXPECT_EQ(2, status);
  EXPECT_EQ(-1, run.code) << "yylex must not return";
}

TEST(DerivedScanner, ReadsPushesBackSwitchesAndWrapsStreamsAndStartConditions) {
  std::istringstream input("emit abc d");
  std::istringstream second("end b");
  std::istringstream third("halt");
  std::istringstream fourth(std::string(20000, ' ') + "emit");
  std::ostringstream echo;
  CountingScanner scanner(&input, &echo);
  const Trace trace;
  EXPECT_EQ(EMIT, scanner.yylex());
  EXPECT_EQ(' ', scanner.yyinput());
  EXPECT_EQ('a', scanner.yyinput());
  scanner.yyunput('X', nullptr);
  EXPECT_EQ(IDS, scanner.yylex());
  EXPECT_STREQ("Xbc", scanner.YYText());
  scanner.switch_streams(&second, nullptr);  // " d" is left unread
  EXPECT_EQ(END, scanner.yylex());
  EXPECT_EQ(IDS, scanner.yylex());
  EXPECT_STREQ("b", scanner.YYText());
  EXPECT_EQ(EOF, scanner.yyinput());
  EXPECT_EQ(0, scanner.yylex());
  scanner.yyrestart(&third);
  scanner.second = &fourth;
  EXPECT_EQ(HALT, scanner.yylex());
  EXPECT_EQ(EMIT, scanner.yylex()) << "yywrap set up more input";
  EXPECT_STREQ("emit", scanner.YYText());
  EXPECT_EQ(0, scanner.yylex());
  EXPECT_EQ(" " + std::string(20000, ' '), echo.str());

  scanner.yy_push_state(3);
  scanner.yy_push_state(5);
  EXPECT_EQ(3, scanner.yy_top_state());
  scanner.yy_pop_state();
  scanner.yy_pop_state();
  const int status = run_catching_exit(
      [](void* context) { static_cast<CountingScanner*>(context)->yy_pop_state(); }, &scanner);
  EXPECT_EQ(2, status);
  EXPECT_EQ(
      "token emit token IDS token end token IDS token halt token emit start-condition stack "
      "underflow\n",
      trace.text.str());
}

}  // namespace
