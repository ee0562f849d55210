// The pager's markup, pagination, screen rendering and text export, without a display.
#include <gtest/gtest.h>

#include <vector>

#include "formspp.h"
#include "test_support.h"

namespace {

std::vector<std::string> data_lines(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i + 1));
  return lines;
}

struct ColumnCase {
  std::string line;
  std::vector<int> widths;  // the first columns; the others must be 0
  std::vector<int> marked;
};

TEST(ColumnLine, WidthsAndMarks) {
  const ColumnCase cases[] = {
      {"#C 10 T20 30 ", {10, 20, 30}, {1}},
      {"#C 10 T20 30", {10, 20}, {1}},  // a last number without a blank is lost
      {"#P  5  x7 ", {5, 7}, {}},       // repeated blanks and other characters do nothing
      {"#CT3 4 ", {3, 4}, {0}},
      {"#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 9 T", std::vector<int>(15, 1), {}},
      {"#C 99999999999999999999 ", {1000}, {}},  // far too wide: the limit
  };
  for (const ColumnCase& c : cases) {
    OFD_afficheur_filtre_affichage filter(nullptr, 0);
    EXPECT_EQ(filter.visu_ligne(c.line), "") << c.line;
    for (int column = 0; column < OFD_nb_colonnes; ++column) {
      const int width = column < static_cast<int>(c.widths.size()) ? c.widths[column] : 0;
      EXPECT_EQ(filter.largeur[column], width) << c.line << " column " << column;
      bool marked = false;
      for (const int m : c.marked) marked = marked || m == column;
      EXPECT_EQ(filter.marque[column], marked) << c.line << " column " << column;
    }
  }
}

TEST(LineType, FirstTwoCharacters) {
  const std::pair<std::string, int> cases[] = {{"#T", 3}, {"#Txx", 3}, {"#C 1 ", 1}, {"#P", 2},
                                               {"#", 0},  {"", 0},     {"#c", 0},    {"a#T", 0}};
  for (const auto& [line, type] : cases) {
    EXPECT_EQ(OFD_afficheur_filtre_affichage::typeligne(line), type) << line;
    EXPECT_EQ(OFD_afficheur_filtre_impression::typeligne(line), type) << line;
    EXPECT_EQ(OFD_afficheur_filtre_texte::typeligne(line), type) << line;
  }
}

TEST(ScreenLine, CellsRulesAndLimits) {
  OFD_afficheur_filtre_affichage filter(nullptr, 0);
  EXPECT_EQ(filter.visu_ligne("ab#cdefgh#xyz"), "@f@S14 ") << "no widths yet: empty cells";
  (void)filter.visu_ligne("#C 3 4 ");
  EXPECT_EQ(filter.visu_ligne("ab#cdefgh#xyz"), "@f@S14 ab cdef");
  EXPECT_EQ(filter.visu_ligne("abcdef"), "@f@S14 abc");
  EXPECT_EQ(filter.visu_ligne("#x"), "@f@S14    x");
  EXPECT_EQ(filter.visu_ligne("#T"), "@f@S14 -------");
  (void)filter.visu_ligne("#C 10 T20 30 ");
  EXPECT_EQ(filter.visu_ligne("#T"), "@f@S14 " + std::string(60, '-'));
  (void)filter.visu_ligne("#C 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ");
  EXPECT_EQ(filter.visu_ligne("a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q"), "@f@S14 abcdefghijklmno");
}

TEST(Pagination, SeventySevenCountedLinesAPage) {
  struct Case {
    std::vector<std::string> lines;
    int last_page;
  };
  std::vector<std::string> with_columns = data_lines(77);
  with_columns.insert(with_columns.begin(), "#C 8 ");
  with_columns.push_back("#C 4 ");
  with_columns.push_back("last");
  const Case cases[] = {
      {{}, 0}, {data_lines(77), 0}, {data_lines(78), 1}, {data_lines(155), 2}, {with_columns, 1}};
  for (const Case& c : cases) {
    std::vector<std::string> lines = c.lines;
    OFD_afficheur_filtre_affichage filter(lines.data(), static_cast<int>(lines.size()));
    EXPECT_EQ(filter.nb_pages(), c.last_page) << lines.size() << " lines";
  }
  // The column line after the 77th counted line opens page 2, as an empty line, and sets the
  // widths of what follows.
  OFD_afficheur_filtre_affichage filter(with_columns.data(), 80);
  EXPECT_EQ(filter.visu_page(1), "\n@f@S14 last\n");
  EXPECT_EQ(filter.visu_page(2), "");
  EXPECT_EQ(filter.visu_page(-1), "");
  const std::string first = filter.visu_page(0);
  EXPECT_EQ(first.substr(0, 17), "\n@f@S14 line 1\n@f");
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 78);
}

TEST(TextExport, RulesAndColumnsBecomeDashes) {
  ScratchDirectory scratch;
  std::string lines[] = {"#C 10 20 ", "a#b (c)", "#T", "#P 3 "};
  OFD_afficheur_filtre_texte filter(lines, 4);
  {
    std::fstream out("out.txt", std::ios::out);
    filter.imprime(out);
  }
  const std::string dashes(55, '-');
  EXPECT_EQ(read_file("out.txt"), dashes + "\na#b (c)\n" + dashes + "\n" + dashes + "\n");
}

}  // namespace
