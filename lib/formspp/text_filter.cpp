// The pager's plain text export.
#include <algorithm>

#include "formspp/pager.h"
#include "formspp/pager_markup.h"

OFD_afficheur_filtre_texte::OFD_afficheur_filtre_texte(std::string* lignes_, int nb)
    : lignes(lignes_), nb_lignes(lignes_ == nullptr ? 0 : std::max(nb, 0)) {}

int OFD_afficheur_filtre_texte::typeligne(const std::string& ligne) {
  return formspp_pager::line_type(ligne);
}

void OFD_afficheur_filtre_texte::imprime(std::fstream& out) {
  for (int index = 0; index < nb_lignes; ++index) imprime_ligne(out, lignes[index]);
}

void OFD_afficheur_filtre_texte::imprime_ligne(std::fstream& out, const std::string& ligne) {
  out << formspp_pager::text_export_line(ligne) << std::endl;
}
