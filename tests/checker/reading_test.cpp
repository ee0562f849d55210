// The copy and the reading differences, by table: what the copy of a text is, and each form
// that morvac reads otherwise, with its rule and span (one finding for a run of one form).
#include <gtest/gtest.h>

#include <string>

#include "copy_rewrite.h"
#include "morvac_reading.h"
#include "reading_differences.h"

namespace {

struct Read {
  Copy copy;
  ReadingComparison comparison;
};

Read read(const std::string& source) {
  const EsterelScan scan = scan_esterel(source);
  Read r{make_copy(source, scan), {}};
  r.comparison = compare_readings(source, scan.tokens, read_as_morvac(r.copy));
  return r;
}

// "rule@begin-end " for each said difference; "(silent)" when some difference is not said.
std::string said(const ReadingComparison& comparison) {
  std::string out;
  for (const ReadingDifference& d : comparison.differences) {
    if (d.message.empty()) {
      out += "(silent) ";
      continue;
    }
    out += std::string(d.rule) + "@" + std::to_string(d.span.begin) + "-" +
           std::to_string(d.span.end) + " ";
  }
  return out;
}

TEST(CheckerCopy, CommentsBlankedAssignWrittenLinesKept) {
  const struct {
    const char* source;
    const char* copy;
  } cases[] = {
      {"a % b\nc", "a    \nc"},   {"a %{ b\r\n c }% d", "a     \r\n      d"},
      {"x:=1", "x assign 1"},     {"x := -1", "x assign -1"},
      {"(x:=y)", "(x assign y)"}, {"\"%\" := %", "\"%\" assign  "},
      {"nothing", "nothing"},     {":=x", "assign x"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.copy, read(c.source).copy.text) << c.source;
}

TEST(CheckerCopy, SpansOfTheCopyMapBackToTheSource) {
  const Read r = read("ab:=c; d := e");  // copy: "ab assign c; d assign e"
  EXPECT_EQ("ab assign c; d assign e", r.copy.text);
  const auto back = [&](std::uint32_t b, std::uint32_t e) {
    const Span s = r.copy.to_source(Span{b, e});
    return std::to_string(s.begin) + "-" + std::to_string(s.end);
  };
  EXPECT_EQ("0-2", back(0, 2));      // ab
  EXPECT_EQ("2-4", back(3, 9));      // assign: the whole `:=`
  EXPECT_EQ("4-5", back(10, 11));    // c
  EXPECT_EQ("7-8", back(13, 14));    // d
  EXPECT_EQ("9-11", back(15, 21));   // assign
  EXPECT_EQ("12-13", back(22, 23));  // e
  EXPECT_FALSE(r.comparison.differs);
}

TEST(CheckerReading, EachFormThatMorvacReadsOtherwise) {
  const struct {
    const char* source;
    std::string said;
  } cases[] = {
      {"emit O(?S)", "signal-value@7-8 "},
      {"emit O(??T)", "trap-value@7-9 "},
      {"relation A # B", "incompatibility@11-12 "},
      {"relation A ### B", "incompatibility@11-14 "},
      {"end module.", "module-dot@10-11 "},
      {"if a then p elsif b", "elsif@12-17 "},
      {"relation A => B", "implies-arrow@11-13 "},
      {"a <> b", "not-equal@2-4 "},
      {"\"a\"\"b\"", "string-form@0-6 "},
      {"\"a-b\"", "string-form@0-5 "},
      {"\"\"", "string-form@0-2 "},
      {"3.14f", "number-form@0-5 "},
      {"3.14F", "number-form@0-5 "},
      {"1e5", "number-form@0-3 "},
      {"1E5", "number-form@0-3 "},
      {".5", "number-form@0-2 "},
      {"x-5", "minus-number@1-3 "},  // after each token that ends an operand, and no other
      {"(x)-5", "minus-number@3-5 "},
      {"1-5", "minus-number@1-3 "},
      {"2.5-5", "minus-number@3-5 "},
      {"\"s\"-5", "minus-number@3-5 "},
      {"true-5", "minus-number@4-6 "},
      {"false-5", "minus-number@5-7 "},
      {"emit O(-5)", "(silent) "},
      {"[p]-5", "(silent) "},
      {"x mod-5", "(silent) "},
      {"\"ab\"\"\n", "(silent) "},  // cut after a doubled quote: a lexical error says so
      {"3S", "glued-name@0-2 "},
      {"3implies", "glued-name@0-8 "},
      {"a := 1 % c\n x - 5; \"s\" != 1.5", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.said, said(read(c.source).comparison)) << c.source;
}

}  // namespace
