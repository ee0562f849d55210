// The pager's markup and screen rendering (the cases of data/markup.tsv), and its pagination.
#include <gtest/gtest.h>

#include <algorithm>

#include "case_table.h"
#include "formspp.h"

namespace {

using F = CaseFields;

TEST(Markup, ColumnLinesAndScreenLines) {
  const CaseFunction columns = [](const F& a) -> F {
    OFD_afficheur_filtre_affichage filter(nullptr, 0);
    const std::string shown = filter.visu_ligne(a[0]);
    std::string widths, marks;
    for (int column = 0; column < OFD_nb_colonnes; ++column) {
      if (std::any_of(filter.largeur + column, filter.largeur + OFD_nb_colonnes,
                      [](int w) { return w != 0; })) {
        widths += (column > 0 ? " " : "") + std::to_string(filter.largeur[column]);
      }
      if (filter.marque[column]) marks += (marks.empty() ? "" : " ") + std::to_string(column);
    }
    return {shown, widths, marks};
  };
  const CaseFunction screen = [](const F& lines) {
    OFD_afficheur_filtre_affichage filter(nullptr, 0);
    F shown;
    for (const std::string& line : lines) shown.push_back(filter.visu_ligne(line));
    return shown;
  };
  expect_cases(FORMSPP_DATA_DIR "/markup.tsv", {{"columns", columns}, {"screen", screen}});
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
