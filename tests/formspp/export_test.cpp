// PostScript and PDF export: exact text of the streams, then real readers on the files.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "formspp.h"
#include "test_support.h"

namespace {

// A table of three columns, the second marked, between two rules; then a second page.
std::vector<std::string> table_document(int filler_lines) {
  std::vector<std::string> lines = {"#C 10 T20 30 ", "#T", "ab# cdef# xyz", "#T"};
  for (int i = 0; i < filler_lines; ++i) lines.push_back(" #(" + std::to_string(i) + ")");
  return lines;
}

template <typename Write>
std::string written(const std::string& name, Write write) {
  {
    std::fstream out(name, std::ios::out | std::ios::trunc | std::ios::binary);
    write(out);
  }
  return read_file(name);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(PostScript, CellsRulesAndPages) {
  ScratchDirectory scratch;
  std::vector<std::string> doc = table_document(80);  // 2 rules + 81 data lines: 2 pages
  OFD_afficheur_filtre_impression filter(doc.data(), static_cast<int>(doc.size()));
  const auto ps = lines_of(written("tmp.ps", [&](auto& out) { filter.imprime_postscript(out); }));
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
  ASSERT_GT(ps.size(), header.size());
  EXPECT_EQ(std::vector<std::string>(ps.begin(), ps.begin() + 12), header);
  for (const char* line :
       {"newpath 40 790 moveto 340 790 lineto stroke ", "45 780 moveto (ab) show",
        "95 780 moveto (cdef) show", "195 780 moveto (xyz) show", "95 760 moveto (0) show",
        "newpath 90 30 moveto 90 800 lineto stroke ", "showpage", "%%page : 1 1"}) {
    EXPECT_TRUE(contains(ps, line)) << line;
  }
  EXPECT_EQ(ps.back(), "showpage");
  EXPECT_EQ(std::count(ps.begin(), ps.end(), "showpage"), 2);
  EXPECT_FALSE(contains(ps, "45 760 moveto ( ) show")) << "a single blank is not written";

  // Ghostscript renders both pages, the cells and rules where they were placed.
  ASSERT_EQ(run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r72 "
                        "-sOutputFile=ps-%d.pgm tmp.ps"),
            0);
  EXPECT_TRUE(file_exists("ps-2.pgm"));
  const GreyPage page = read_pgm("ps-1.pgm");
  ASSERT_GT(page.height, 0);
  const int top = page.height;  // y of a point is top - y on the image
  EXPECT_TRUE(page.has_ink(41, top - 791, 339, top - 789)) << "first rule";
  EXPECT_FALSE(page.has_ink(345, top - 792, 400, top - 788)) << "rule ends at 340";
  EXPECT_TRUE(page.has_ink(45, top - 784, 53, top - 780)) << "ab";
  EXPECT_FALSE(page.has_ink(55, top - 784, 88, top - 780)) << "gap before the marked column";
  EXPECT_TRUE(page.has_ink(89, top - 60, 91, top - 50)) << "vertical rule of column 1";
}

TEST(Pdf, ObjectsOfOneAndTwoPages) {
  ScratchDirectory scratch;
  std::vector<std::string> one = table_document(0);
  OFD_afficheur_filtre_impression small(one.data(), 4);
  const auto pdf = lines_of(written("one.pdf", [&](auto& out) { small.imprime_pdf(out); }));
  for (const char* line :
       {"%PDF-1.4", "     /Kids [10 0 R", "         ]", "     /Count 1", "10 0 obj",
        "     /Contents 11 0 R", "11 0 obj", "  << /Size 12", "     45 760 Td", "(cdef) Tj",
        "    40 770 m", "    340 770 l", "      90 750 m", "      90 780 l", "       S", "%%EOF"}) {
    EXPECT_TRUE(contains(pdf, line)) << line;
  }
  EXPECT_FALSE(contains(pdf, "12 0 obj"));

  std::vector<std::string> two = table_document(76);  // the 78th counted line opens page 2
  OFD_afficheur_filtre_impression large(two.data(), static_cast<int>(two.size()));
  const auto pdf2 = lines_of(written("two.pdf", [&](auto& out) { large.imprime_pdf(out); }));
  for (const char* line : {"         12 0 R", "     /Count 2", "12 0 obj", "     /Contents 13 0 R",
                           "13 0 obj", "  << /Size 14", "10 4"}) {
    EXPECT_TRUE(contains(pdf2, line)) << line;
  }
}

TEST(Pdf, EmptyDocumentHasOneEmptyPage) {
  ScratchDirectory scratch;
  OFD_afficheur_filtre_impression filter(nullptr, 0);
  const std::string pdf = written("empty.pdf", [&](auto& out) { filter.imprime_pdf(out); });
  EXPECT_NE(pdf.find("  << /Length 0 >>\nstream\nendstream\n"), std::string::npos);
  EXPECT_EQ(run_command("qpdf --check empty.pdf"), 0);
}

TEST(Pdf, RealReadersAcceptAndRenderIt) {
  ScratchDirectory scratch;
  std::vector<std::string> doc = table_document(160);  // three pages
  doc.push_back("back\\slash\\#tail\\\\\\");           // a dangling backslash is dropped
  OFD_afficheur_filtre_impression filter(doc.data(), static_cast<int>(doc.size()));
  (void)written("doc.pdf", [&](auto& out) { filter.imprime_pdf(out); });
  std::string report;
  EXPECT_EQ(run_command("qpdf --check doc.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  EXPECT_NE(report.find("No syntax or stream encoding errors"), std::string::npos) << report;

  ASSERT_EQ(run_command("pdftoppm -r 72 -gray doc.pdf page"), 0);
  EXPECT_TRUE(file_exists("page-3.pgm"));
  EXPECT_FALSE(file_exists("page-4.pgm"));
  const GreyPage page = read_pgm("page-1.pgm");
  ASSERT_EQ(page.width, 612);
  ASSERT_EQ(page.height, 792);
  // Rules at y 770 and 750 from x 40 to 340; the marked column's rule at x 90 from 750 to 780;
  // cells on the row at y 760.
  for (const int y : {770, 750}) {
    EXPECT_TRUE(page.has_ink(41, 791 - y, 43, 793 - y)) << "rule start at " << y;
    EXPECT_TRUE(page.has_ink(337, 791 - y, 339, 793 - y)) << "rule end at " << y;
    EXPECT_FALSE(page.has_ink(343, 790 - y, 360, 794 - y)) << "past the rule at " << y;
  }
  EXPECT_TRUE(page.has_ink(89, 792 - 775, 91, 792 - 765)) << "vertical rule";
  EXPECT_FALSE(page.has_ink(80, 792 - 790, 100, 792 - 783)) << "above the table";
  EXPECT_FALSE(page.has_ink(30, 792 - 768, 44, 792 - 758)) << "left of the first cell";
  EXPECT_TRUE(page.has_ink(45, 792 - 766, 53, 792 - 760)) << "ab";
  EXPECT_FALSE(page.has_ink(55, 792 - 766, 87, 792 - 760)) << "after ab";
  EXPECT_TRUE(page.has_ink(95, 792 - 766, 105, 792 - 760)) << "cdef";
  EXPECT_FALSE(page.has_ink(115, 792 - 766, 190, 792 - 760)) << "after cdef";
  EXPECT_TRUE(page.has_ink(195, 792 - 766, 203, 792 - 760)) << "xyz";
}

}  // namespace
