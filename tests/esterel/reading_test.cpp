// The Esterel reader by tables: what its scanner makes of comments, lines of the C preprocessor,
// C comments and bytes that are no text (scanner.tsv); what its parser reports and skips where a
// token is missing or stray, and how it recovers at a module (parser.tsv).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "esterel_parser.h"
#include "esterel_scanner.h"

namespace {

using esterel::Span;

// Offset as LINE:COLUMN (bytes, from 1).
std::string place(const std::string& source, std::uint32_t offset) {
  const auto line = std::count(source.begin(), source.begin() + offset, '\n') + 1;
  const std::size_t line_start = source.rfind('\n', offset == 0 ? 0 : offset - 1);
  const std::size_t column =
      offset + 1 - (line_start == std::string::npos || offset == 0 ? 0 : line_start + 1);
  return std::to_string(line) + ":" + std::to_string(column);
}

std::string quoted(const std::string& source, Span span) {
  return "`" + source.substr(span.begin, span.end - span.begin) + "`";
}

// What the scanner makes of source, in source order: each comment (%), line of the C
// preprocessor (CPP), byte that is no text (BLANK), token (its text) and lexical error (OPEN,
// OPEN/*, CUT, STRAY), with its text; the end of input left out.
CaseFields scanned(const CaseFields& args) {
  const std::string& source = args[0];
  const esterel::EsterelScan scan = esterel::scan_esterel(source);
  std::vector<std::pair<Span, std::string>> items;
  for (const Span& c : scan.comments) items.emplace_back(c, "%");
  for (const Span& d : scan.directives) items.emplace_back(d, "CPP");
  for (const Span& b : scan.no_text) items.emplace_back(b, "BLANK");
  for (const esterel::Token& t : scan.tokens) {
    if (t.code != 0) items.emplace_back(t.span, "");
  }
  static const char* const kProblems[] = {"OPEN", "OPEN/*", "CUT", "STRAY"};
  for (const esterel::LexError& e : scan.errors) {
    items.emplace_back(e.span, kProblems[static_cast<int>(e.problem)]);
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return a.first.begin < b.first.begin; });
  std::string out;
  for (const auto& [span, kind] : items) {
    out += (out.empty() ? "" : " ") + kind + quoted(source, span);
  }
  return {out};
}

// The syntax errors of source (LINE:COLUMN MESSAGE, `;`-separated), the tokens skipped (their
// places), and the kinds of the tree's nodes in prefix order (without Name, None and the File).
CaseFields parsed(const CaseFields& args) {
  const std::string& source = args[0];
  const esterel::Parse parse = esterel::read_esterel(source);
  std::string errors;
  for (const esterel::SyntaxError& e : parse.errors) {
    errors += (errors.empty() ? "" : "; ") + place(source, e.span.begin) + " " + e.message;
  }
  std::string skipped;
  for (const Span& s : parse.skipped) {
    skipped += (skipped.empty() ? "" : " ") + place(source, s.begin) + quoted(source, s);
  }
  std::string kinds;
  std::vector<esterel::NodeId> stack{parse.tree.root()};
  while (!stack.empty()) {
    const esterel::NodeId node = stack.back();
    stack.pop_back();
    const esterel::Kind kind = parse.tree.at(node).kind;
    if (kind != esterel::Kind::Name && kind != esterel::Kind::None &&
        kind != esterel::Kind::File) {
      kinds += (kinds.empty() ? "" : " ") + std::string(esterel::kind_name(kind));
    }
    const std::vector<esterel::NodeId> parts = esterel::children(parse.tree, node);
    stack.insert(stack.end(), parts.rbegin(), parts.rend());
  }
  return {errors.empty() ? "-" : errors, skipped.empty() ? "-" : skipped, kinds};
}

TEST(EsterelReading, ScannerCases) {
  expect_cases(TABLE_DIR "/scanner.tsv", {{"scan", scanned}});
}

TEST(EsterelReading, ParserCases) {
  expect_cases(TABLE_DIR "/parser.tsv", {{"parse", parsed}});
}

}  // namespace
