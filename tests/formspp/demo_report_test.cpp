// The sample report of examples/pager_demo as the pager shows it, in both languages (the French
// one with its accents).
#include <gtest/gtest.h>

#include <vector>

#include "formspp.h"
#include "formspp/characters.h"
#include "sample_report.h"

namespace {

TEST(PagerDemo, EveryCellOfTheReportShowsWhole) {
  for (const bool english : {false, true}) {
    const std::list<std::string> report = sample_report(english);
    std::vector<std::string> lines(report.begin(), report.end());
    const int count = static_cast<int>(lines.size());
    OFD_afficheur_filtre_affichage filter(lines.data(), count);
    for (const std::string& line : lines) {
      const std::string shown = filter.visu_ligne(line);
      if (OFD_afficheur_filtre_affichage::typeligne(line) != 0) continue;
      size_t column = 7;  // characters, after "@f@S14 "
      size_t start = 0;
      for (int k = 0; start <= line.size(); ++k) {
        const size_t end = std::min(line.find('#', start), line.size());
        std::string cell = line.substr(start, end - start);
        cell.erase(cell.find_last_not_of(' ') + 1);
        EXPECT_EQ(shown.substr(formspp_prefix_bytes(shown, column), cell.size()), cell) << line;
        column += static_cast<size_t>(filter.largeur[k]);
        start = end + 1;
      }
    }
    OFD_afficheur_filtre_affichage pages(lines.data(), count);
    ASSERT_EQ(pages.nb_pages(), 2);
    const std::string last = pages.visu_page(2);
    const std::string end = english ? "@f@S14 end of report\n" : "@f@S14 fin du rapport\n";
    ASSERT_GE(last.size(), end.size());
    EXPECT_EQ(last.substr(last.size() - end.size()), end);
  }
}

}  // namespace
