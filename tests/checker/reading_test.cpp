// The copy, the reading differences and where morvac stops, by table (reading.tsv).
#include <gtest/gtest.h>

#include <string>

#include "case_table.h"
#include "check_file.h"
#include "copy_rewrite.h"
#include "morvac_reading.h"
#include "esterel_parser.h"
#include "reading_differences.h"
#include "spelling_rewrite.h"
#include "text_output.h"

namespace {

struct Read {
  Copy copy;
  ReadingComparison comparison;
};

Read read(const std::string& source) {
  const EsterelScan scan = esterel::scan_esterel(source);
  const esterel::Parse parse = esterel::parse_esterel(source, scan.tokens);
  Read r{make_copy(source, scan, spelling_edits(source, scan.tokens, parse)), {}};
  r.comparison =
      compare_readings(source, as_copied(r.copy, scan.tokens), read_as_morvac(r.copy));
  return r;
}

TEST(CheckerReading, CasesOfTheTable) {
  const auto copy = [](const CaseFields& args) -> CaseFields { return {read(args[0]).copy.text}; };
  const auto back = [](const CaseFields& args) -> CaseFields {
    const Span s =
        read(args[0]).copy.to_source(Span{static_cast<std::uint32_t>(std::stoul(args[1])),
                                          static_cast<std::uint32_t>(std::stoul(args[2]))});
    return {std::to_string(s.begin) + "-" + std::to_string(s.end)};
  };
  const auto said = [](const CaseFields& args) -> CaseFields {
    const ReadingComparison comparison = read(args[0]).comparison;
    std::string out;
    for (const ReadingDifference& d : comparison.differences) {
      out += (out.empty() ? "" : " ") +
             (d.message.empty() ? std::string("(silent)")
                                : std::string(d.rule) + "@" + std::to_string(d.span.begin) + "-" +
                                      std::to_string(d.span.end));
    }
    return {out, comparison.differs ? "differs" : "same"};
  };
  const auto form = [](const CaseFields& args) -> CaseFields {
    const ReadingComparison comparison = read(args[0]).comparison;
    return {comparison.differences.empty() ? "-" : comparison.differences.front().message};
  };
  const auto stop = [](const CaseFields& args) -> CaseFields {
    const std::string source = "module M :\ninput S;\n" + args[0] + "\nend module\n";
    const CheckedFile file{"m", source, check_source(source), LineIndex(source)};
    EXPECT_TRUE(file.report.inconsistencies.empty());
    return {verdict_line(file, ColumnStyle{})};
  };
  expect_cases(TABLE_DIR "/reading.tsv",
               {{"copy", copy}, {"back", back}, {"said", said}, {"form", form}, {"stop", stop}});
}

}  // namespace
