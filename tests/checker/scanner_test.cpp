// The checker's scanner, by tables: every keyword, every operator and punctuation, the number,
// string and comment forms, and the lexical errors, each with its exact span.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "check_file.h"
#include "check_grammar.hh"
#include "esterel_scanner.h"
#include "token_names.h"

namespace {

// "code@begin-end " per token, the end of input left out.
std::string tokens_of(const std::string& source) {
  std::string out;
  const EsterelScan scan = scan_esterel(source);
  for (const Token& t : scan.tokens) {
    if (t.code == 0) break;
    out += std::to_string(t.code) + "@" + std::to_string(t.span.begin) + "-" +
           std::to_string(t.span.end) + " ";
  }
  return out;
}

std::string one(int code, int begin, int end) {
  return std::to_string(code) + "@" + std::to_string(begin) + "-" + std::to_string(end) + " ";
}

struct WordCase {
  const char* word;
  int code;
};

// Every keyword of morvac, and `elsif`; keywords are lower case only.
const WordCase kKeywords[] = {
    {"module", TOK_MODULE},
    {"type", TOK_TYPE},
    {"constant", TOK_CONSTANT},
    {"function", TOK_FUNCTION},
    {"procedure", TOK_PROCEDURE},
    {"signal", TOK_SIGNAL},
    {"combine", TOK_COMBINE},
    {"with", TOK_WITH},
    {"input", TOK_INPUT},
    {"return", TOK_RETURN},
    {"output", TOK_OUTPUT},
    {"inputoutput", TOK_INPUTOUTPUT},
    {"sensor", TOK_SENSOR},
    {"relation", TOK_RELATION},
    {"implies", TOK_IMPLIES},
    {"nothing", TOK_NOTHING},
    {"halt", TOK_HALT},
    {"assign", TOK_ASSIGN},
    {"call", TOK_CALL},
    {"emit", TOK_EMIT},
    {"do", TOK_DO},
    {"upto", TOK_UPTO},
    {"end", TOK_END},
    {"present", TOK_PRESENT},
    {"loop", TOK_LOOP},
    {"if", TOK_IF},
    {"then", TOK_THEN},
    {"else", TOK_ELSE},
    {"elseif", TOK_ELSEIF},
    {"elsif", TOK_ELSIF},
    {"trap", TOK_TRAP},
    {"in", TOK_IN},
    {"handle", TOK_HANDLE},
    {"exit", TOK_EXIT},
    {"var", TOK_VAR},
    {"immediate", TOK_IMMEDIATE},
    {"sustain", TOK_SUSTAIN},
    {"repeat", TOK_REPEAT},
    {"times", TOK_TIMES},
    {"positive", TOK_POSITIVE},
    {"pause", TOK_PAUSE},
    {"await", TOK_AWAIT},
    {"each", TOK_EACH},
    {"case", TOK_CASE},
    {"every", TOK_EVERY},
    {"watching", TOK_WATCHING},
    {"timeout", TOK_TIMEOUT},
    {"abort", TOK_ABORT},
    {"weak", TOK_WEAK},
    {"copymodule", TOK_COPYMODULE},
    {"run", TOK_RUN},
    {"copy", TOK_COPY},
    {"elsepresent", TOK_ELSEPRESENT},
    {"true", TOK_TRUE_TOKEN},
    {"false", TOK_FALSE_TOKEN},
    {"exec", TOK_EXEC},
    {"task", TOK_TASK},
    {"suspend", TOK_SUSPEND},
    {"when", TOK_WHEN},
    {"finalize", TOK_FINALIZE},
    {"xcur", TOK_XCUR},
    {"or", TOK_OR},
    {"and", TOK_AND},
    {"not", TOK_NOT},
    {"pre", TOK_PRE},
    {"mod", TOK_MOD},
};

TEST(CheckerScanner, EveryKeywordAndItsCapitalisedNameAndLongerWord) {
  for (const WordCase& c : kKeywords) {
    const std::string word = c.word;
    EXPECT_EQ(one(c.code, 1, 1 + word.size()), tokens_of(" " + word + "\n")) << word;
    std::string upper = word;
    upper[0] = static_cast<char>(upper[0] - 'a' + 'A');
    EXPECT_EQ(one(TOK_IDS, 0, word.size()), tokens_of(upper)) << upper;
    EXPECT_EQ(one(TOK_IDS, 0, word.size() + 2), tokens_of(word + "_1")) << word;
  }
}

struct TextCase {
  const char* source;
  std::string tokens;
};

TEST(CheckerScanner, OperatorsPunctuationNumbersStringsAndComments) {
  const TextCase cases[] = {
      {":=", one(TOK_ASSIGN, 0, 2)},
      {":", one(TOK_DEUXPOINTS, 0, 1)},
      {"=>", one(TOK_IMPLIES, 0, 2)},
      {"=", one(TOK_EQUAL, 0, 1)},
      {"<>", one(TOK_NEQ, 0, 2)},
      {"!=", one(TOK_NEQ, 0, 2)},
      {"<=", one(TOK_INFEQ, 0, 2)},
      {"<", one(TOK_INF, 0, 1)},
      {">=", one(TOK_SUPEQ, 0, 2)},
      {">", one(TOK_SUP, 0, 1)},
      {"||", one(TOK_PARALLEL, 0, 2)},
      {"?", one('?', 0, 1)},
      {"??", one(TOK_QQ, 0, 2)},
      {"#", one('#', 0, 1)},
      {".", one('.', 0, 1)},
      {"+", one(TOK_PLUS, 0, 1)},
      {"-", one(TOK_MINUS, 0, 1)},
      {"*", one(TOK_MULT, 0, 1)},
      {"/", one(TOK_SLASH, 0, 1)},
      {"(", one(TOK_OPENP, 0, 1)},
      {")", one(TOK_CLOSEP, 0, 1)},
      {"[", one(TOK_OPENC, 0, 1)},
      {"]", one(TOK_CLOSEC, 0, 1)},
      {";", one(TOK_PVIRGULE, 0, 1)},
      {",", one(TOK_VIRGULE, 0, 1)},
      {"x-5", one(TOK_IDS, 0, 1) + one(TOK_MINUS, 1, 2) + one(TOK_NATURAL, 2, 3)},
      {"007", one(TOK_NATURAL, 0, 3)},
      {"3.14", one(TOK_FLOAT, 0, 4)},
      {"3.14f", one(TOK_FLOAT, 0, 5)},
      {"3.14fx", one(TOK_FLOAT, 0, 4) + one(TOK_IDS, 4, 6)},
      {"1e5", one(TOK_FLOAT, 0, 3)},
      {"1.5e-3", one(TOK_FLOAT, 0, 6)},
      {".5", one(TOK_FLOAT, 0, 2)},
      {"5.", one(TOK_FLOAT, 0, 2)},
      {"3S", one(TOK_NATURAL, 0, 1) + one(TOK_IDS, 1, 2)},
      {"1else", one(TOK_NATURAL, 0, 1) + one(TOK_ELSE, 1, 5)},
      {"\"a \"\"b\"\"\"", one(TOK_STRING, 0, 9)},
      {"\"\"\"\"", one(TOK_STRING, 0, 4)},
      {"\"a%b\" %c\nd", one(TOK_STRING, 0, 5) + one(TOK_IDS, 9, 10)},
      {"a%{ x\n }% b", one(TOK_IDS, 0, 1) + one(TOK_IDS, 10, 11)},
      {"%{}%a%{ } }%b", one(TOK_IDS, 4, 5) + one(TOK_IDS, 12, 13)},
      {"a % x := y\nb", one(TOK_IDS, 0, 1) + one(TOK_IDS, 11, 12)},
      {" \t\r\f\v\n", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(c.tokens, tokens_of(c.source)) << c.source;
}

TEST(CheckerScanner, LexicalErrorsAreLocatedAndScanningGoesOn) {
  const EsterelScan scan = scan_esterel("a @$ b\n\"cut\nc %{ open");
  ASSERT_EQ(3u, scan.errors.size());
  EXPECT_EQ(LexProblem::StrayCharacters, scan.errors[0].problem);
  EXPECT_EQ(2u, scan.errors[0].span.begin);
  EXPECT_EQ(4u, scan.errors[0].span.end);
  EXPECT_EQ(LexProblem::UnclosedString, scan.errors[1].problem);
  EXPECT_EQ(7u, scan.errors[1].span.begin);
  EXPECT_EQ(LexProblem::UnclosedComment, scan.errors[2].problem);
  EXPECT_EQ(14u, scan.errors[2].span.begin);
  EXPECT_EQ(one(TOK_IDS, 0, 1) + one(TOK_IDS, 5, 6) + one(TOK_STRING, 7, 11) + one(TOK_IDS, 12, 13),
            tokens_of("a @$ b\n\"cut\nc %{ open"));
}

// What the scanner makes of source, in source order: IDS, NAT, FLOAT, STR for names, numbers and
// strings, other tokens as written, % for a comment, and the lexical errors STRAY, CUT (a string
// cut by its line end) and OPEN (a comment block never closed).
std::string items(const std::string& source) {
  const EsterelScan scan = scan_esterel(source);
  std::vector<std::pair<std::uint32_t, std::string>> out;
  for (const LexError& e : scan.errors) {
    const char* problems[] = {"OPEN", "CUT", "STRAY"};
    out.emplace_back(e.span.begin, problems[static_cast<int>(e.problem)]);
  }
  for (const Span& c : scan.comments) out.emplace_back(c.begin, "%");
  for (const Token& t : scan.tokens) {
    std::string item = source.substr(t.span.begin, t.span.end - t.span.begin);
    if (t.code == TOK_IDS) item = "IDS";
    if (t.code == TOK_NATURAL) item = "NAT";
    if (t.code == TOK_FLOAT) item = "FLOAT";
    if (t.code == TOK_STRING) item = "STR";
    if (t.code != 0) out.emplace_back(t.span.begin, item);
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string line;
  for (const auto& item : out) line += (line.empty() ? "" : " ") + item.second;
  return line;
}

// The table file: every byte where the scanner's classes, the copy and the messages decide.
TEST(CheckerScanner, EveryByteOfTheTable) {
  std::set<std::string> bytes;
  const auto byte = [&](const CaseFields& args) -> CaseFields {
    const std::string& b = *bytes.insert(args[0]).first;
    const std::string stray_message = "no Esterel token starts with ";
    std::string stray;
    for (const Finding& f : check_source(" " + b + " ").findings) {
      if (f.message.rfind(stray_message, 0) == 0) stray = f.message.substr(stray_message.size());
    }
    const std::string assign = b + ":=" + b;
    return {items(" " + b + " "),
            items("a" + b + "b"),
            items("1" + b + "5 1" + b),
            items("1e" + b + "5"),
            items("1.5" + b + " 1.5" + b + "x"),
            items("\"a" + b + "b\""),
            items(":" + b + " =" + b + " <" + b + " >" + b + " !" + b + " |" + b + " ?" + b),
            items("%" + b + "x}%y"),
            make_copy(assign, scan_esterel(assign)).text,
            stray};
  };
  expect_cases(TABLE_DIR "/scanner.tsv", {{"byte", byte}});
  EXPECT_EQ(256u, bytes.size()) << "one case per byte";
}

// How syntax errors name every symbol of the grammar, and the messages made of those names.
TEST(CheckerTokenNames, EverySymbolAndTheMessages) {
  const auto display = [](const CaseFields& args) -> CaseFields {
    return {token_display(args[0])};
  };
  const auto message = [](const CaseFields& args) -> CaseFields {
    std::vector<const char*> expected;
    for (std::size_t i = 2; i < args.size(); ++i) expected.push_back(args[i].c_str());
    return {syntax_error_message(args[0], args[1], expected)};
  };
  expect_cases(TABLE_DIR "/token_names.tsv", {{"display", display}, {"message", message}});
}

TEST(CheckerScanner, LongInputsScanInOnePass) {
  const std::string name(100000, 'a');
  EXPECT_EQ(one(TOK_IDS, 0, 100000), tokens_of(name));
  const std::string comments(100000, '%');
  EXPECT_EQ("", tokens_of(comments));
}

}  // namespace
