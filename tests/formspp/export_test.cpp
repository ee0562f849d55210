// PostScript and PDF export: whole files against the expected ones in data/, then real readers
// (ghostscript, qpdf, pdftoppm) on them, with the pixels of data/rendered.tsv.
// MORVAC_UPDATE_GOLDEN=1 rewrites the expected files from what the filters write (review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "case_table.h"
#include "formspp.h"
#include "test_support.h"

namespace {

// A table of three columns, the second marked, between two rules, then filler rows.
std::vector<std::string> table(int rows) {
  std::vector<std::string> lines = {"#C 10 T20 30 ", "#T", "ab# cdef# xyz", "#T"};
  for (int i = 0; i < rows; ++i) lines.push_back(" #(" + std::to_string(i) + ")");
  return lines;
}

// Writes lines to name with the filter's PostScript driver for a .ps name, else its PDF driver.
void export_to(std::vector<std::string> lines, const std::string& name) {
  OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
  std::fstream out(name, std::ios::out | std::ios::trunc);
  name.back() == 's' ? filter.imprime_postscript(out) : filter.imprime_pdf(out);
}

// The same with a second table under the first, whose rules start at its own column line.
std::vector<std::string> two_tables(int rows) {
  std::vector<std::string> lines = table(rows);
  lines.insert(lines.end(), {"#C 4 T5 ", "ab# c", "#T"});
  return lines;
}

TEST(Export, WritesTheExpectedFiles) {
  ScratchDirectory scratch;
  // 86 counted lines make two PostScript pages; in PDF, the 78th counted line opens page 2.
  const std::pair<const char*, std::vector<std::string>> documents[] = {
      {"two_pages.ps", two_tables(80)},
      {"one_page.pdf", table(0)},
      {"two_pages.pdf", two_tables(76)},
      // French: the font re-encoded once, in the prolog, for both pages.
      {"french.ps", data_document("french_report.txt")},
      {"empty.pdf", {}}};
  for (const auto& [name, lines] : documents) {
    export_to(lines, name);
    const std::string expected = std::string(FORMSPP_DATA_DIR) + "/" + name;
    if (std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) write_file(expected, read_file(name));
    EXPECT_EQ(read_file(name), read_file(expected)) << name;
  }
}

TEST(Export, RealReadersAcceptAndRenderIt) {
  ScratchDirectory scratch;
  export_to(table(80), "tmp.ps");
  std::vector<std::string> lines = table(160);  // three pages
  lines.push_back("back\\slash\\#tail\\\\\\");  // a backslash before ')' would break it
  export_to(lines, "doc.pdf");
  ASSERT_EQ(run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r72 "
                        "-sOutputFile=ps-%d.pgm tmp.ps"),
            0);
  std::string report;
  EXPECT_EQ(run_command("qpdf --check doc.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  EXPECT_NE(report.find("No syntax or stream encoding errors"), std::string::npos) << report;
  ASSERT_EQ(run_command("pdftoppm -r 72 -gray doc.pdf page"), 0);
  for (const char* page : {"ps-2.pgm", "page-3.pgm"}) EXPECT_TRUE(std::filesystem::exists(page));
  EXPECT_FALSE(std::filesystem::exists("page-4.pgm"));
  const auto number = [](const std::string& s) { return std::atoi(s.c_str()); };
  expect_cases(
      FORMSPP_DATA_DIR "/rendered.tsv",
      {{"ink", [&](const CaseFields& a) -> CaseFields {
          return {ink(a[0], number(a[1]), number(a[2]), number(a[3]), number(a[4])) ? "yes" : "no"};
        }}});
}

// Returns text without blanks and empty lines: pdftotext spaces the cells and the words as it
// guesses from their places.
std::string without_blanks(const std::string& text) {
  std::string kept;
  for (const char c : text) {
    if (c == ' ' || c == '\f' || (c == '\n' && (kept.empty() || kept.back() == '\n'))) continue;
    kept += c;
  }
  return kept;
}

// A French report on two pages with every character of the print font's encoding, read back from
// the PDF and, converted by ps2pdf, from the PostScript: whole accented letters, cells cut to their
// widths in characters, '?' where the fonts have no letter, and every character of their encoding
// on the second page.
TEST(Export, FrenchTextReadsBackFromPdfAndPostScript) {
  ScratchDirectory scratch;
  export_to(data_document("french_report.txt"), "french.pdf");
  export_to(data_document("french_report.txt"), "french.ps");
  std::string report;
  EXPECT_EQ(run_command("qpdf --check french.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  ASSERT_EQ(run_command("ps2pdf french.ps french-ps.pdf", &report), 0) << report;
  // The readers give the no-break space as a blank and the soft hyphen as '-'.
  const std::string expected = without_blanks(read_file(FORMSPP_DATA_DIR "/french_report.read"));
  for (const std::string pdf : {"french.pdf", "french-ps.pdf"}) {
    EXPECT_EQ(run_command("pdftotext -layout " + pdf + " -", &report), 0) << report;
    EXPECT_EQ(without_blanks(report), expected) << pdf;
  }
}

}  // namespace
