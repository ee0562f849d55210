// The Esterel scanner, by tables: every keyword, every operator and punctuation, the number,
// string and comment forms, and the lexical errors, each with its exact span (tokens.tsv); every
// byte where its classes decide (scanner.tsv); the names of the grammar's symbols.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "check_file.h"
#include "esterel_grammar.hh"
#include "esterel_scanner.h"
#include "token_names.h"

using esterel::EsterelScan;
using esterel::LexError;
using esterel::scan_esterel;
using esterel::Span;
using esterel::Token;

namespace {

// Returns the name of a token code from the grammar's %token declarations; a one-character
// token is itself.
std::string token_name(int code) {
  static const std::map<int, std::string> names = grammar_token_names(GRAMMAR_FILE);
  const auto name = names.find(code);
  return name != names.end() ? name->second
         : code < 256        ? std::string(1, static_cast<char>(code))
                             : std::to_string(code);
}

const char* const kProblems[] = {"OPEN", "OPEN/*", "CUT", "STRAY"};  // by LexProblem

std::string at(const std::string& name, const Span& span) {
  return name + "@" + std::to_string(span.begin) + "-" + std::to_string(span.end);
}

// The tokens of source, the end of input left out, and its lexical errors: "NAME@begin-end"
// each, blank-separated.
CaseFields scan_of(const std::string& source) {
  const EsterelScan scan = scan_esterel(source);
  CaseFields out(2);
  for (const Token& t : scan.tokens) {
    if (t.code == 0) break;
    out[0] += (out[0].empty() ? "" : " ") + at(token_name(t.code), t.span);
  }
  for (const LexError& e : scan.errors) {
    out[1] += (out[1].empty() ? "" : " ") + at(kProblems[static_cast<int>(e.problem)], e.span);
  }
  return out;
}

// What the scanner makes of source, in source order: IDS, NAT, FLOAT, STR for names, numbers and
// strings, other tokens as written, % for a comment, CPP for a line of the C preprocessor, BLANK
// for a character that is no text, and the lexical errors STRAY, CUT (a string cut by its line
// end), OPEN and OPEN/* (a comment block never closed).
std::string items(const std::string& source) {
  const EsterelScan scan = scan_esterel(source);
  std::vector<std::pair<std::uint32_t, std::string>> out;
  for (const LexError& e : scan.errors) {
    out.emplace_back(e.span.begin, kProblems[static_cast<int>(e.problem)]);
  }
  for (const Span& c : scan.comments) out.emplace_back(c.begin, "%");
  for (const Span& d : scan.directives) out.emplace_back(d.begin, "CPP");
  for (const Span& b : scan.no_text) out.emplace_back(b.begin, "BLANK");
  for (const Token& t : scan.tokens) {
    static const std::map<int, std::string> kinds = {
        {TOK_IDS, "IDS"}, {TOK_NATURAL, "NAT"}, {TOK_FLOAT, "FLOAT"}, {TOK_STRING, "STR"}};
    const auto kind = kinds.find(t.code);
    const std::string text = source.substr(t.span.begin, t.span.end - t.span.begin);
    if (t.code != 0) out.emplace_back(t.span.begin, kind == kinds.end() ? text : kind->second);
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string line;
  for (const auto& item : out) line += (line.empty() ? "" : " ") + item.second;
  return line;
}

// The tables: the tokens and errors of sources; every byte where the scanner's classes, the copy
// and the messages decide; how syntax errors name every symbol of the grammar, and the messages
// made of those names.
TEST(CheckerScanner, CasesOfTheTables) {
  const auto keyword = [](const CaseFields& args) -> CaseFields {
    const std::string upper = static_cast<char>(args[0][0] - 'a' + 'A') + args[0].substr(1);
    return {scan_of(" " + args[0] + "\n")[0], scan_of(upper)[0], scan_of(args[0] + "_1")[0]};
  };
  const auto scan = [](const CaseFields& args) { return scan_of(args[0]); };
  expect_cases(TABLE_DIR "/tokens.tsv", {{"keyword", keyword}, {"scan", scan}});
  std::set<std::string> bytes;
  const auto byte = [&](const CaseFields& args) -> CaseFields {
    const std::string& b = *bytes.insert(args[0]).first;
    std::string stray;
    for (const Finding& f : check_source(" " + b + " ").findings) {
      const std::string_view rule = f.rule;
      if (rule == "stray-character" || rule == "skipped-bytes") stray = f.message;
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
  const auto display = [](const CaseFields& args) -> CaseFields {
    return {esterel::token_display(args[0])};
  };
  const auto message = [](const CaseFields& args) -> CaseFields {
    std::vector<const char*> expected;
    for (std::size_t i = 2; i < args.size(); ++i) expected.push_back(args[i].c_str());
    return {esterel::syntax_error_message(args[0], args[1], expected)};
  };
  expect_cases(TABLE_DIR "/token_names.tsv", {{"display", display}, {"message", message}});
}

}  // namespace
