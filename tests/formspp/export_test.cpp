// PostScript and PDF export: the text of the streams, then real readers on the files.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "formspp.h"
#include "test_support.h"

namespace {

// A table of three columns, the second marked, between two rules, then filler rows.
std::vector<std::string> table(int rows) {
  std::vector<std::string> lines = {"#C 10 T20 30 ", "#T", "ab# cdef# xyz", "#T"};
  for (int i = 0; i < rows; ++i) lines.push_back(" #(" + std::to_string(i) + ")");
  return lines;
}

// Exports lines with the filter's PDF (or PostScript) driver to name; returns its lines.
std::vector<std::string> exported(std::vector<std::string> lines, const std::string& name) {
  OFD_afficheur_filtre_impression filter(lines.data(), static_cast<int>(lines.size()));
  {
    std::fstream out(name, std::ios::out | std::ios::trunc);
    name.back() == 's' ? filter.imprime_postscript(out) : filter.imprime_pdf(out);
  }
  std::vector<std::string> written;
  std::istringstream in(read_file(name));
  for (std::string line; std::getline(in, line);) written.push_back(line);
  return written;
}

void expect_lines(const std::vector<std::string>& file, const std::vector<std::string>& wanted) {
  for (const auto& line : wanted) EXPECT_EQ(std::count(file.begin(), file.end(), line), 1) << line;
}

TEST(PostScript, CellsRulesAndPages) {
  ScratchDirectory scratch;
  const auto ps = exported(table(80), "tmp.ps");  // 83 counted lines: 2 pages
  const std::vector<std::string> header = {"%!PS-Adobe-2.0",
                                           "%%Creator: mirandel",
                                           "%%Title: tmp.ps",
                                           "%%Pages: 2",
                                           "%%PageOrder: Ascend",
                                           "%%BoundingBox: 0 0 612 792",
                                           "%%DocumentPaperSizes: a4",
                                           "%%EndComments",
                                           "a4",
                                           "/Times-Roman findfont",
                                           "7 scalefont",
                                           "setfont"};
  EXPECT_EQ(std::vector<std::string>(ps.begin(), ps.begin() + 12), header);
  expect_lines(ps, {"newpath 40 790 moveto 340 790 lineto stroke ", "45 780 moveto (ab) show",
                    "95 780 moveto (cdef) show", "195 780 moveto (xyz) show",
                    "95 760 moveto (0) show", "newpath 90 30 moveto 90 800 lineto stroke ",
                    "%%page : 1 1", "newpath 90 740 moveto 90 800 lineto stroke "});
  EXPECT_EQ(std::count(ps.begin(), ps.end(), "showpage"), 2);
  EXPECT_EQ(ps.back(), "showpage");
  EXPECT_EQ(std::count(ps.begin(), ps.end(), "45 760 moveto ( ) show"), 0) << "one blank";

  // Ghostscript renders both pages, with the cells and rules where they were placed.
  ASSERT_EQ(run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r72 "
                        "-sOutputFile=ps-%d.pgm tmp.ps"),
            0);
  EXPECT_TRUE(file_exists("ps-2.pgm"));
  EXPECT_TRUE(ink("ps-1.pgm", 41, 789, 339, 791)) << "first rule";
  EXPECT_FALSE(ink("ps-1.pgm", 345, 788, 400, 792)) << "the rule ends at 340";
  EXPECT_TRUE(ink("ps-1.pgm", 45, 780, 53, 784)) << "ab";
  EXPECT_FALSE(ink("ps-1.pgm", 55, 780, 88, 784)) << "between ab and the marked column";
  EXPECT_TRUE(ink("ps-1.pgm", 89, 50, 91, 60)) << "rule of the marked column";
}

TEST(Pdf, ObjectsOfOneAndTwoPages) {
  ScratchDirectory scratch;
  const auto one = exported(table(0), "one.pdf");
  expect_lines(one, {"%PDF-1.4", "     /Kids [10 0 R", "         ]", "     /Count 1", "10 0 obj",
                     "     /Contents 11 0 R", "11 0 obj", "  << /Size 12", "     45 760 Td",
                     "(cdef) Tj", "    40 770 m", "    340 770 l", "    40 750 m", "      90 750 m",
                     "      90 780 l", "0 6", "10 2", "%%EOF"});
  EXPECT_EQ(std::count(one.begin(), one.end(), "12 0 obj"), 0);
  const auto two = exported(table(76), "two.pdf");  // the 78th counted line opens page 2
  expect_lines(two, {"         12 0 R", "     /Count 2", "12 0 obj", "     /Contents 13 0 R",
                     "13 0 obj", "  << /Size 14", "10 4"});
  const auto empty = exported({}, "empty.pdf");
  expect_lines(empty, {"  << /Length 0 >>", "     /Count 1"});
}

TEST(Pdf, RealReadersAcceptAndRenderIt) {
  ScratchDirectory scratch;
  std::vector<std::string> lines = table(160);  // three pages
  lines.push_back("back\\slash\\#tail\\\\\\");  // a backslash before ')' would break it
  (void)exported(lines, "doc.pdf");
  std::string report;
  EXPECT_EQ(run_command("qpdf --check doc.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  EXPECT_NE(report.find("No syntax or stream encoding errors"), std::string::npos) << report;
  ASSERT_EQ(run_command("pdftoppm -r 72 -gray doc.pdf page"), 0);
  EXPECT_TRUE(file_exists("page-3.pgm"));
  EXPECT_FALSE(file_exists("page-4.pgm"));
  // Rules at y 770 and 750 from x 40 to 340, the marked column's rule at x 90 from 750 to 780,
  // the cells on the row at y 760.
  for (const int y : {770, 750}) {
    EXPECT_TRUE(ink("page-1.pgm", 41, y - 1, 43, y + 1)) << "rule start at " << y;
    EXPECT_TRUE(ink("page-1.pgm", 337, y - 1, 339, y + 1)) << "rule end at " << y;
    EXPECT_FALSE(ink("page-1.pgm", 343, y - 2, 360, y + 2)) << "past the rule at " << y;
  }
  const std::pair<std::array<int, 4>, bool> boxes[] = {
      {{89, 765, 91, 775}, true},    {{80, 783, 100, 790}, false},  // the vertical rule's ends
      {{30, 758, 44, 768}, false},   {{45, 760, 53, 766}, true},    // ab
      {{55, 760, 87, 766}, false},   {{95, 760, 105, 766}, true},   // cdef
      {{115, 760, 190, 766}, false}, {{195, 760, 203, 766}, true},  // xyz
  };
  for (const auto& [box, inked] : boxes) {
    EXPECT_EQ(ink("page-1.pgm", box[0], box[1], box[2], box[3]), inked) << box[0] << "," << box[1];
  }
}

}  // namespace
