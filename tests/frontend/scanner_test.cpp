// The scanner on its own: token codes, token texts, trace items and echoed characters.
#include <gtest/gtest.h>

#include <cctype>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "case_table.h"
#include "exit_longjmp.h"
#include "lex.strl5.h"
#include "parse_strl5.hh"

namespace {

struct Scan {
  std::string tokens;  // "CODE:text " per token
  std::string trace;   // standard error
  std::string echo;    // the echo stream
  std::string kinds;   // in order, "." per echoed character and each trace item less "token "
};

Scan scan(const std::string& source) {
  std::istringstream input(source);
  std::ostringstream echo;
  std::ostringstream trace;
  std::streambuf* const standard_error = std::cerr.rdbuf(trace.rdbuf());
  strl5FlexLexer scanner(&input, &echo);
  Scan result;
  for (std::size_t echoed = 0, traced = 0;; traced = trace.str().size()) {
    const int code = scanner.yylex();
    for (; echoed < echo.str().size(); ++echoed) result.kinds += ". ";
    if (code == 0) break;
    result.tokens += std::to_string(code) + ":" + scanner.YYText() + " ";
    result.kinds += trace.str().substr(traced + 6);
  }
  if (!result.kinds.empty()) result.kinds.pop_back();
  EXPECT_EQ(0, scanner.yylex()) << "end of input is sticky";
  std::cerr.rdbuf(standard_error);
  result.trace = trace.str();
  result.echo = echo.str();
  return result;
}

std::string token(int code, const std::string& text) {
  return std::to_string(code) + ":" + text + " ";
}

struct WordCase {
  const char* word;
  int code;
  const char* trace;
};

class Keywords : public testing::TestWithParam<WordCase> {};

TEST_P(Keywords, AloneGiveTheirCodeAndTrace) {
  const WordCase& c = GetParam();
  const Scan s = scan(std::string(" ") + c.word + "\n");
  EXPECT_EQ(token(c.code, c.word), s.tokens);
  EXPECT_EQ(c.trace, s.trace);
  EXPECT_EQ(" \n", s.echo);
}

const WordCase kWords[] = {
    {"module", MODULE, "token module "},
    {"type", TYPE, "token type "},
    {"constant", CONSTANT, "token constant "},
    {"function", FUNCTION, "token function "},
    {"procedure", PROCEDURE, "token procedure "},
    {"signal", SIGNAL, "token signal "},
    {"combine", COMBINE, "token combine "},
    {"with", WITH, "token with "},
    {"input", INPUT, "token input "},
    {"return", RETURN, "token return "},
    {"output", OUTPUT, "token output "},
    {"inputoutput", INPUTOUTPUT, "token inputoutput "},
    {"sensor", SENSOR, "token sensor "},
    {"relation", RELATION, "token relation "},
    {"implies", IMPLIES, "token implies "},
    {"nothing", NOTHING, "token nothing "},
    {"halt", HALT, "token halt "},
    {"assign", ASSIGN, "token assign "},
    {"call", CALL, "token call "},
    {"emit", EMIT, "token emit "},
    {"do", DO, "token do "},
    {"upto", UPTO, "token upto "},
    {"end", END, "token end "},
    {"present", PRESENT, "token present "},
    {"loop", LOOP, "token loop "},
    {"if", IF, "token if "},
    {"then", THEN, "token then "},
    {"else", ELSE, "token else "},
    {"elseif", ELSEIF, "token elseif "},
    {"trap", TRAP, "token trap "},
    {"in", IN, "token in "},
    {"handle", HANDLE, "token handle "},
    {"exit", EXIT, "token exit "},
    {"var", VAR, "token var "},
    {"immediate", IMMEDIATE, "token # "},
    {"sustain", SUSTAIN, "token sustain "},
    {"repeat", REPEAT, "token repeat "},
    {"times", TIMES, "token times "},
    {"positive", POSITIVE, "token positive "},
    {"pause", PAUSE, "token pause "},
    {"await", AWAIT, "token await "},
    {"each", EACH, "token each "},
    {"case", CASE, "token case "},
    {"every", EVERY, "token every "},
    {"watching", WATCHING, "token watching "},
    {"timeout", TIMEOUT, "token timeout "},
    {"abort", ABORT, "token abort "},
    {"weak", WEAK, "token weak "},
    {"copymodule", COPYMODULE, "token copymodule "},
    {"run", RUN, "token run "},
    {"copy", COPY, "token copy "},
    {"||", PARALLEL, "token || "},
    {"elsepresent", ELSEPRESENT, "token elsepresent "},
    {"true", TRUE_TOKEN, "token true "},
    {"false", FALSE_TOKEN, "token false "},
    {"exec", EXEC, "token exec "},
    {"task", TASK, "token task "},
    {"suspend", SUSPEND, "token suspend "},
    {"when", WHEN, "token when "},
    {"finalize", FINALIZE, "token finalize "},
    {"xcur", XCUR, "token xcur "},
    {"or", OR, "token or "},
    {"and", AND, "token and "},
    {"not", NOT, "token not "},
    {"pre", PRE, "token pre "},
    {"=", EQUAL, "token = "},
    {"!=", NEQ, "token != "},
    {"<", INF, "token < "},
    {"<=", INFEQ, "token <= "},
    {">", SUP, "token > "},
    {">=", SUPEQ, "token >= "},
    {"+", PLUS, "token + "},
    {"-", MINUS, "token - "},
    {"*", MULT, "token * "},
    {"/", SLASH, "token / "},
    {"mod", MOD, "token mod "},
    {"(", OPENP, "token ( "},
    {")", CLOSEP, "token ) "},
    {"[", OPENC, "token [ "},
    {"]", CLOSEC, "token ] "},
    {";", PVIRGULE, "token ; "},
    {",", VIRGULE, "token , "},
    {":", DEUXPOINTS, "token : "},
    {"42", NATURAL, "token NAT "},
    {"4.2", FLOAT, "token FLOAT "},
    {"x_1", IDS, "token IDS "},
    {"\"a b\"", STRING, "token STRING "},
};
INSTANTIATE_TEST_SUITE_P(EveryToken, Keywords, testing::ValuesIn(kWords));

TEST(Scanner, KeywordsFollowedByAnIdentifierCharacterAreIdentifiers) {
  for (const WordCase& c : kWords) {
    const std::string word = c.word;
    if (!std::isalpha(static_cast<unsigned char>(word[0]))) continue;
    EXPECT_EQ(token(IDS, word + "_"), scan(word + "_").tokens);
    EXPECT_EQ(token(IDS, word + "1"), scan(word + "1").tokens);
    EXPECT_EQ(token(IDS, "X" + word), scan("X" + word).tokens);
  }
}

struct SplitCase {
  std::string source;
  std::vector<std::pair<int, const char*>> tokens;
  const char* echo;
};

class LongestMatch : public testing::TestWithParam<SplitCase> {};

TEST_P(LongestMatch, CutsTheInputAsExpected) {
  const SplitCase& c = GetParam();
  std::string wanted;
  for (const auto& [code, text] : c.tokens) wanted += token(code, text);
  const Scan s = scan(c.source);
  EXPECT_EQ(wanted, s.tokens) << "source: " << c.source;
  EXPECT_EQ(c.echo, s.echo) << "source: " << c.source;
}

const SplitCase kSplits[] = {
    {"ends module1 if_x Module MODULE TRUE",
     {{IDS, "ends"},
      {IDS, "module1"},
      {IDS, "if_x"},
      {IDS, "Module"},
      {IDS, "MODULE"},
      {IDS, "TRUE"}},
     "     "},
    {"9a 1e5 1_000 007 3S",
     {{IDS, "9a"}, {IDS, "1e5"}, {IDS, "1_000"}, {NATURAL, "007"}, {IDS, "3S"}},
     "    "},
    {"x-5", {{IDS, "x"}, {FLOAT, "-5"}}, ""},
    {"x - 5", {{IDS, "x"}, {MINUS, "-"}, {NATURAL, "5"}}, "  "},
    {"--5", {{MINUS, "-"}, {FLOAT, "-5"}}, ""},
    {"--5.2", {{FLOAT, "--5.2"}}, ""},
    {"---7", {{MINUS, "-"}, {MINUS, "-"}, {FLOAT, "-7"}}, ""},
    {"--- 7", {{MINUS, "-"}, {MINUS, "-"}, {MINUS, "-"}, {NATURAL, "7"}}, " "},
    {"-0 -12abc -.5",
     {{FLOAT, "-0"}, {FLOAT, "-12"}, {IDS, "abc"}, {MINUS, "-"}, {NATURAL, "5"}},
     "  ."},
    {"5. 0.25 .5", {{FLOAT, "5."}, {FLOAT, "0.25"}, {NATURAL, "5"}}, "  ."},
    {"1.5e3 12.5.6", {{FLOAT, "1.5"}, {IDS, "e3"}, {FLOAT, "12.5"}, {NATURAL, "6"}}, " ."},
    {":= <> ! |||",
     {{DEUXPOINTS, ":"}, {EQUAL, "="}, {INF, "<"}, {SUP, ">"}, {PARALLEL, "||"}},
     "  ! |"},
    {"\"a\"\"b\"", {{STRING, "\"a\""}, {STRING, "\"b\""}}, ""},
    {"\"\"", {}, "\"\""},
    {"\" \"", {{STRING, "\" \""}}, ""},
    {"\"x\ty\"", {{IDS, "x"}, {IDS, "y"}}, "\"\t\""},
    {"\"a-b\"", {{IDS, "a"}, {MINUS, "-"}, {IDS, "b"}}, "\"\""},
    {"\"unclosed", {{IDS, "unclosed"}}, "\""},
    {"emit S(?X+1)",
     {{EMIT, "emit"},
      {IDS, "S"},
      {OPENP, "("},
      {IDS, "X"},
      {PLUS, "+"},
      {NATURAL, "1"},
      {CLOSEP, ")"}},
     " ?"},
    {"% comment # ? . @ $ & ' \\ ` { } ~ ^", {{IDS, "comment"}}, "%  # ? . @ $ & ' \\ ` { } ~ ^"},
    {"", {}, ""},
    {" \t\r\n\f\v", {}, " \t\r\n\f\v"},
    {"a\xC3\xA9z", {{IDS, "a"}, {IDS, "z"}}, "\xC3\xA9"},
};
INSTANTIATE_TEST_SUITE_P(Cases, LongestMatch, testing::ValuesIn(kSplits));

// The table file: what the scanner makes of sources, and of every byte in the places where the
// character classes decide.
TEST(Scanner, KindsOfTheTable) {
  std::set<std::string> bytes;
  const auto source = [](const CaseFields& args) -> CaseFields { return {scan(args[0]).kinds}; };
  const auto byte = [&](const CaseFields& args) -> CaseFields {
    const std::string& b = *bytes.insert(args[0]).first;
    return {scan(" " + b + " ").kinds, scan("\"a" + b + "b\"").kinds, scan("a" + b + "b").kinds,
            scan("1" + b).kinds,       scan("-" + b).kinds,           scan("1." + b).kinds};
  };
  expect_cases(TABLE_DIR "/scanner.tsv", {{"source", source}, {"byte", byte}});
  EXPECT_EQ(256u, bytes.size()) << "one case per byte";
}

TEST(Scanner, EchoesNulBytesLikeOtherCharacters) {
  const Scan s = scan(std::string("a\0b\0\0", 5));
  EXPECT_EQ(token(IDS, "a") + token(IDS, "b"), s.tokens);
  EXPECT_EQ(std::string("\0\0\0", 3), s.echo);
}

TEST(Scanner, ReadsATokenLongerThanItsFirstBuffer) {
  for (const std::size_t length : {16383u, 16384u, 16385u, 100000u}) {
    const std::string name = "x" + std::string(length - 1, 'y');
    const Scan s = scan("  " + name + " end");
    EXPECT_EQ(token(IDS, name) + token(END, "end"), s.tokens) << length;
    EXPECT_EQ("   ", s.echo);
  }
}

TEST(Scanner, LongRunsOfMinusSignsAndQuotes) {
  const std::string minuses(50000, '-');
  std::string wanted;
  for (std::size_t i = 1; i < minuses.size(); ++i) wanted += token(MINUS, "-");
  EXPECT_EQ(wanted + token(FLOAT, "-7"), scan(minuses + "7").tokens);
  EXPECT_EQ(token(FLOAT, minuses + "7.5"), scan(minuses + "7.5").tokens);
  const std::string spaces(50000, ' ');
  const Scan s = scan("\"" + spaces + "\n");
  EXPECT_EQ("", s.tokens);
  EXPECT_EQ("\"" + spaces + "\n", s.echo);
}

// A stream whose reading fails, like a directory opened as a file.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }
};

struct FailingScan {
  FailingBuffer failing;
  std::istream input{&failing};
  std::ostringstream echo;
  strl5FlexLexer scanner{&input, &echo};
  int code = -1;
};

TEST(Scanner, AFailingInputIsAFatalErrorWithStatus2) {
  std::ostringstream errors;
  std::streambuf* const standard_error = std::cerr.rdbuf(errors.rdbuf());
  FailingScan run;
  const int status = run_catching_exit(
      [](void* context) {
        auto* scan = static_cast<FailingScan*>(context);
        scan->code = scan->scanner.yylex();
      },
      &run);
  std::cerr.rdbuf(standard_error);
  EXPECT_EQ(2, status);
  EXPECT_EQ(-1, run.code) << "yylex must not return";
  EXPECT_EQ("input in flex scanner failed\n", errors.str());
}

}  // namespace

namespace {

// A class derived from the scanner: it reaches the protected operations, and the scanner
// delivers its characters through LexerInput and LexerOutput one at a time for it.
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

 protected:
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

TEST(DerivedScanner, SeesEveryCharacterThroughItsHooksAndScansAlike) {
  for (const SplitCase& c : kSplits) {
    std::istringstream input(c.source);
    std::ostringstream echo;
    std::ostringstream trace;
    std::streambuf* const standard_error = std::cerr.rdbuf(trace.rdbuf());
    CountingScanner scanner(&input, &echo);
    std::string tokens;
    while (const int code = scanner.yylex()) tokens += token(code, scanner.YYText());
    std::cerr.rdbuf(standard_error);
    EXPECT_EQ(scan(c.source).tokens, tokens) << c.source;
    EXPECT_EQ(c.echo, echo.str()) << c.source;
    EXPECT_EQ(static_cast<int>(c.source.size()) + 1, scanner.reads)
        << "one read per character, one that meets the end: " << c.source;
    EXPECT_EQ(static_cast<int>(std::string(c.echo).size()), scanner.writes) << c.source;
  }
}

TEST(DerivedScanner, ReadsAndPushesBackCharactersAndStartConditions) {
  std::istringstream input("emit abc");
  std::ostringstream echo;
  CountingScanner scanner(&input, &echo);
  std::ostringstream trace;
  std::streambuf* const standard_error = std::cerr.rdbuf(trace.rdbuf());
  EXPECT_EQ(EMIT, scanner.yylex());
  EXPECT_EQ(' ', scanner.yyinput());
  EXPECT_EQ('a', scanner.yyinput());
  scanner.yyunput('X', nullptr);
  EXPECT_EQ(IDS, scanner.yylex());
  EXPECT_STREQ("Xbc", scanner.YYText());
  EXPECT_EQ(EOF, scanner.yyinput());
  EXPECT_EQ(0, scanner.yylex());

  scanner.yy_push_state(3);
  scanner.yy_push_state(5);
  EXPECT_EQ(3, scanner.yy_top_state());
  scanner.yy_pop_state();
  scanner.yy_pop_state();
  struct Run {
    CountingScanner* scanner;
  } run{&scanner};
  const int status = run_catching_exit(
      [](void* context) { static_cast<Run*>(context)->scanner->yy_pop_state(); }, &run);
  std::cerr.rdbuf(standard_error);
  EXPECT_EQ(2, status);
  EXPECT_EQ("token emit token IDS start-condition stack underflow\n", trace.str());
}

TEST(Scanner, SwitchesToAnotherStreamAndRestarts) {
  std::istringstream first("module a");
  std::istringstream second("end b");
  std::istringstream third("halt");
  std::ostringstream echo;
  std::ostringstream trace;
  std::streambuf* const standard_error = std::cerr.rdbuf(trace.rdbuf());
  strl5FlexLexer scanner(&first, &echo);
  EXPECT_EQ(MODULE, scanner.yylex());
  scanner.switch_streams(&second, nullptr);
  EXPECT_EQ(END, scanner.yylex());
  EXPECT_EQ(IDS, scanner.yylex());
  EXPECT_STREQ("b", scanner.YYText());
  EXPECT_EQ(0, scanner.yylex());
  scanner.yyrestart(&third);
  EXPECT_EQ(HALT, scanner.yylex());
  std::cerr.rdbuf(standard_error);
  EXPECT_EQ(" ", echo.str());
}

}  // namespace

namespace {

// Continues with a second input once, as a yywrap that sets up more input does.
class TwoFileScanner : public strl5FlexLexer {
 public:
  TwoFileScanner(std::istream* first, std::istream* second, std::ostream* echo)
      : strl5FlexLexer(first, echo), second_(second) {}

 protected:
  int yywrap() override {
    if (second_ == nullptr) return 1;
    yyrestart(second_);
    second_ = nullptr;
    return 0;
  }

 private:
  std::istream* second_;
};

TEST(DerivedScanner, GoesOnWithTheInputThatYywrapSetsUp) {
  std::istringstream first("emit S ");
  std::istringstream second(std::string(20000, ' ') + "halt");
  std::ostringstream echo;
  std::ostringstream trace;
  std::streambuf* const standard_error = std::cerr.rdbuf(trace.rdbuf());
  TwoFileScanner scanner(&first, &second, &echo);
  std::string tokens;
  while (const int code = scanner.yylex()) tokens += token(code, scanner.YYText());
  std::cerr.rdbuf(standard_error);
  EXPECT_EQ(token(EMIT, "emit") + token(IDS, "S") + token(HALT, "halt"), tokens);
  EXPECT_EQ(20002u, echo.str().size());
}

}  // namespace
