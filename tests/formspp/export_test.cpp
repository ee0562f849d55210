// PostScript and PDF export: whole files against the expected ones in data/, then real readers
// (ghostscript, qpdf, pdftoppm) on them, with the pixels of data/rendered.tsv.
// MORVAC_UPDATE_GOLDEN=1 rewrites the expected files from what the filters write (review the diff).
#include <gtest/gtest.h>

#include <algorithm>
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

// Returns what pdftotext reads from a PDF: its lines without blanks (it spaces the cells and the
// words as it guesses from their places), the empty ones left out.
std::vector<std::string> read_back(const std::string& pdf) {
  std::string text;
  EXPECT_EQ(run_command("pdftotext -layout " + pdf + " -", &text), 0) << text;
  std::vector<std::string> lines(1);
  for (const char c : text) {
    if (c == '\n' && !lines.back().empty()) lines.emplace_back();
    if (c != '\n' && c != ' ' && c != '\f') lines.back() += c;
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

// A French report on two pages, read back from the PDF and, converted by ps2pdf, from the
// PostScript: whole accented letters, cells cut to their widths in characters, '?' where the
// fonts have no letter, and every character of their encoding on the second page.
TEST(Export, FrenchTextReadsBackFromPdfAndPostScript) {
  ScratchDirectory scratch;
  std::vector<std::string> lines = {"#C 10 T7 T24 8 ",
                                    "#T",
                                    "Étape# État# Événement reçu# Durée",
                                    "#T",
                                    "Début# prêt# entrée « capteur » ouverte# 12 µs",
                                    "Contrôle# arrêté# défaut détecté à 14 h# 3 ms",
                                    "Réaction# reçu# l’alarme coûte 5 €# 1 s",
                                    "Fin# déjà vu# cœur → arrêt# 5 s",
                                    "Latin-1# d\xE9j\xE0# (ancien) fichier# 2 s",
                                    "#T"};
  std::vector<std::string> expected = {"Étape État Événement reçu Durée",
                                       "Début prêt entrée « capteur » ouver 12 µs",
                                       "Contrôle arrêté défaut détecté à 14 h 3 ms",
                                       "Réaction reçu l’alarme coûte 5 € 1 s",
                                       "Fin déjà vu cœur ? arrêt 5 s",
                                       "Latin-1 déjà ancien fichier 2 s"};
  for (int row = 1; row <= 70; ++row) {  // the last one opens the second page
    lines.push_back("ligne " + std::to_string(row) + "# n° " + std::to_string(row));
    expected.push_back(lines.back().substr(0, lines.back().find('#')) + " n° " +
                       std::to_string(row));
  }
  std::string all = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
  for (unsigned code = 0xA0; code <= 0xFF; ++code) {
    all += static_cast<char>(0xC0 | code >> 6);
    all += static_cast<char>(0x80 | (code & 0x3F));
  }
  all += " l'a-b`c";
  lines.insert(lines.end(), {"#C 140 ", all});
  // Read back as the fonts draw them: the no-break space as a blank, the soft hyphen as '-'.
  expected.push_back(all.replace(all.find("\u00A0"), 2, " ").replace(all.find("\u00AD"), 2, "-"));
  for (std::string& line : expected)
    line.erase(std::remove(line.begin(), line.end(), ' '), line.end());

  export_to(lines, "french.pdf");
  export_to(lines, "french.ps");
  std::string report;
  EXPECT_EQ(run_command("qpdf --check french.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  ASSERT_EQ(run_command("ps2pdf french.ps french-ps.pdf", &report), 0) << report;
  for (const char* pdf : {"french.pdf", "french-ps.pdf"}) {
    const std::vector<std::string> read = read_back(pdf);
    EXPECT_EQ(read.size(), expected.size()) << pdf;
    for (size_t i = 0; i < std::min(read.size(), expected.size()); ++i) {
      EXPECT_EQ(read[i], expected[i]) << pdf << ", line " << i + 1;
    }
  }
  // The font is re-encoded once, and both pages take the re-encoded one.
  const std::string ps = read_file("french.ps");
  const auto count = [&](const std::string& text) {
    size_t found = 0;
    for (size_t at = ps.find(text); at != std::string::npos; at = ps.find(text, at + 1)) ++found;
    return found;
  };
  EXPECT_EQ(count("definefont"), 1U);
  EXPECT_EQ(count("\n/Times-Roman-WinAnsi findfont\n"), 2U);
  EXPECT_EQ(count("\n/Times-Roman findfont\n"), 0U);
}

}  // namespace
