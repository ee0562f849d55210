// The pager's screen rendering.
#include <algorithm>

#include "formspp/characters.h"
#include "formspp/pager.h"
#include "formspp/pager_markup.h"

namespace {
const char* const kBrowserPrefix = "@f@S14 ";  // fixed-pitch font at size 14, then a blank
}  // namespace

OFD_afficheur_filtre_affichage::OFD_afficheur_filtre_affichage(std::string* lignes_, int nb)
    : nb_lignes(lignes_ == nullptr ? 0 : std::max(nb, 0)), lignes(lignes_) {}

int OFD_afficheur_filtre_affichage::typeligne(const std::string& ligne) {
  return formspp_pager::line_type(ligne);
}

int OFD_afficheur_filtre_affichage::nb_pages() const {
  return formspp_pager::page_breaks(lignes, nb_lignes);
}

std::string OFD_afficheur_filtre_affichage::visu_page(int page) {
  tampon.clear();
  formspp_pager::Pagination pagination;
  int current = 0;
  for (int index = 0; index < nb_lignes && current <= page; ++index) {
    if (pagination.begins_page(index)) ++current;
    if (current == page) {
      tampon += visu_ligne(lignes[index]);
      tampon += '\n';
    }
    pagination.count(lignes[index]);
  }
  return tampon;
}

std::string OFD_afficheur_filtre_affichage::visu_ligne(const std::string& ligne) {
  switch (typeligne(ligne)) {
    case formspp_pager::kRuleLine:
      return kBrowserPrefix + std::string(formspp_pager::total_width(largeur), '-');
    case formspp_pager::kColumnLine:
    case formspp_pager::kLayoutColumnLine:
      formspp_pager::parse_column_line(ligne, largeur, marque);
      return std::string();
    default:
      break;
  }
  std::string shown = kBrowserPrefix;
  size_t start = 0;
  for (int column = 0;; ++column) {
    const size_t separator = ligne.find('#', start);
    const bool last = separator == std::string::npos;
    if (column < OFD_nb_colonnes) {
      // Widths count characters, which are as wide as one another in the page's font.
      const size_t width = static_cast<size_t>(largeur[column]);
      const size_t end = last ? ligne.size() : separator;
      const std::string cell = formspp_first_characters(ligne.substr(start, end - start), width);
      shown += cell;
      if (!last) shown.append(width - formspp_character_count(cell), ' ');
    }
    if (last) break;
    start = separator + 1;
  }
  return shown;
}
