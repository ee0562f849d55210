// The pager's markup, pagination and screen rendering.
#include <gtest/gtest.h>

#include "formspp.h"

namespace {

TEST(ColumnLine, WidthsAndMarks) {
  const struct {
    std::string line;
    std::vector<int> widths, marked;  // the first columns; the others are 0 and unmarked
  } cases[] = {
      {"#C 10 T20 30 ", {10, 20, 30}, {1}},
      {"#C 10 T20 30", {10, 20}, {1}},  // a last number without a blank after it is lost
      {"#P  5  x7 ", {5, 7}, {}},       // other characters and repeated blanks do nothing
      {"#CT3 4 ", {3, 4}, {0}},
      {"#C "
       "1 1 1 1 1 "
       "1 1 1 1 1 "
       "1 1 1 1 1 "
       "9 T",
       std::vector<int>(15, 1),
       {}},                                      // no 16th column
      {"#C 99999999999999999999 ", {1000}, {}},  // far too wide: the limit
  };
  for (const auto& c : cases) {
    OFD_afficheur_filtre_affichage filter(nullptr, 0);
    EXPECT_EQ(filter.visu_ligne(c.line), "") << c.line;
    for (int column = 0; column < OFD_nb_colonnes; ++column) {
      const size_t k = static_cast<size_t>(column);
      EXPECT_EQ(filter.largeur[column], k < c.widths.size() ? c.widths[k] : 0) << c.line << k;
      const bool marked = std::count(c.marked.begin(), c.marked.end(), column) > 0;
      EXPECT_EQ(filter.marque[column], marked) << c.line << " column " << column;
    }
  }
}

TEST(ScreenLine, CellsRulesAndLimits) {
  OFD_afficheur_filtre_affichage filter(nullptr, 0);
  const std::pair<std::string, std::string> cases[] = {
      {"ab#cdefgh#xyz", "@f@S14 "},  // no column line yet: widths 0
      {"#C 3 4 ", ""},
      {"ab#cdefgh#xyz", "@f@S14 ab cdef"},
      {"abcdef", "@f@S14 abc"},
      {"#x", "@f@S14    x"},
      {"#", "@f@S14    "},  // too short to be a rule or column line
      {"#T", "@f@S14 -------"},
      {"#C 10 T20 30 ", ""},
      {"#Tabc", "@f@S14 " + std::string(60, '-')},
      {"#C "
       "1 1 1 1 1 "
       "1 1 1 1 1 "
       "1 1 1 1 1 ",
       ""},
      {"a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q", "@f@S14 abcdefghijklmno"},
  };
  for (const auto& [line, shown] : cases) EXPECT_EQ(filter.visu_ligne(line), shown) << line;
}

TEST(Pagination, SeventySevenCountedLinesAPage) {
  const auto rows = [](int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
  };
  std::vector<std::string> tables = rows(77);
  tables.insert(tables.begin(), "#C 8 ");
  tables.insert(tables.end(), {"#C 4 ", "#Tlast"});
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{}, 0}, {rows(77), 0}, {rows(78), 1}, {rows(155), 2}, {tables, 1}};
  for (auto [lines, last] : cases) {
    EXPECT_EQ(
        OFD_afficheur_filtre_affichage(lines.data(), static_cast<int>(lines.size())).nb_pages(),
        last)
        << lines.size();
  }
  // The column line after the 77th counted line opens page 2, shown as an empty line.
  OFD_afficheur_filtre_affichage filter(tables.data(), 80);
  EXPECT_EQ(filter.visu_page(1), "\n@f@S14 ----\n");
  EXPECT_EQ(filter.visu_page(2), "");
  EXPECT_EQ(filter.visu_page(-1), "");
  const std::string first = filter.visu_page(0);
  EXPECT_EQ(first.substr(0, 17), "\n@f@S14 line 1\n@f");
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 78);
}

}  // namespace
