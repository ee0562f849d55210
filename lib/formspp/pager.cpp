// The pager window: layout, activation loop and page moves.
#include <FL/forms.H>

#include <unistd.h>

#include <memory>

#include "Stringpp.h"
#include "formspp/characters.h"
#include "formspp/console_fallback.h"
#include "formspp/dialogs.h"
#include "formspp/message_box.h"
#include "formspp/pager.h"
#include "formspp/pager_markup.h"
#include "formspp/pager_title.h"
#include "formspp/text_lines.h"

namespace {

const size_t kBrowserLineLength = 161;  // characters
// Keeps a wrapped part of a line in the page font, and its text free of formatting codes.
const char* const kContinuationPrefix = "@f@S14@.";

Fl_Button* add_button(int x, int y, int w, int h, const char* label) {
  Fl_Button* button = fl_add_button(FL_NORMAL_BUTTON, x, y, w, h, label);
  fl_set_object_lstyle(button, FL_TIMES);
  fl_set_object_lsize(button, 12);
  return button;
}

void add_browser_text(Fl_Browser* browser, const std::string& line) {
  const std::unique_ptr<char[]> copy(Stoa(line));
  fl_addto_browser(browser, copy.get());
}

}  // namespace

std::unique_ptr<std::string[]> array_convert(const std::list<std::string>& lignes) {
  if (lignes.empty()) return nullptr;
  auto copies = std::make_unique<std::string[]>(lignes.size());
  size_t index = 0;
  for (const std::string& ligne : lignes) copies[index++] = ligne;
  return copies;
}

OFD_afficheur::OFD_afficheur(Fl_Window* parent, int langue_)
    : langue(langue_), page_courante(0), form_parent(parent) {
  const bool french = langue == 0;
  // The window owns every widget added while it is being built, and deletes them with itself.
  // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
  form = fl_bgn_form(FL_NO_BOX, 920, 700);
  auto* background = new PagerBackground(FL_UP_BOX, 0, 0, 930, 700);

  navigateur = fl_add_browser(FL_HOLD_BROWSER, 10, 50, 910, 570, "");
  fl_set_object_boxtype(navigateur, FL_DOWN_BOX);
  navigateur->color(FL_BACKGROUND_COLOR);
  navigateur->labelfont(FL_TIMES);

  auto* title = new PagerTitle(280, 20, 310, 20);
  titre = title;
  fl_set_object_lsize(titre, 12);
  fl_set_object_lalign(titre, FL_ALIGN_INSIDE);
  fl_set_object_lstyle(titre, FL_BOLD_STYLE);
  background->title(title);

  numero = fl_add_text(FL_NO_BOX, 80, 20, 120, 20, "");

  bouton_suivant = add_button(300, 630, 120, 20, french ? "page suivante" : "next page");
  bouton_precedent = add_button(300, 660, 120, 20, french ? "page precedente" : "previous page");
  bouton_annuler = add_button(40, 630, 90, 50, french ? "ANNULER" : "CANCEL");
  bouton_pdf = add_button(500, 630, 100, 50, french ? "fichier pdf" : "pdf file");
  bouton_texte = add_button(750, 630, 100, 50, french ? "fichier texte" : "text file");

  saisie_page = fl_add_input(FL_NORMAL_INPUT, 150, 645, 40, 20, "");
  // Enter in the field jumps like the button beside it.
  saisie_page->when(FL_WHEN_ENTER_KEY_ALWAYS);
  bouton_aller = fl_add_button(FL_NORMAL_BUTTON, 190, 645, 20, 20, "");
  fl_end_form();
  // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
  set_title_room(title);
}

OFD_afficheur::~OFD_afficheur() {
  delete form;
}

void OFD_afficheur::set_title_room(PagerTitle* title) const {
  // The strip between the browser and the window's edge on the title's side (the form is laid
  // out with its y axis upwards and turned over when it ends), right of the page number; kept
  // clear of the window's bevel.
  const int margin = 4;
  const int browser_top = navigateur->y();
  const int browser_bottom = navigateur->y() + navigateur->h();
  const bool below = titre->y() >= browser_bottom;
  const int top = below ? browser_bottom + margin : margin;
  const int bottom = below ? form->h() - margin : browser_top - margin;
  const int left = numero->x() + numero->w() + 2 * margin;
  title->room(left, top, form->w() - margin - left, bottom - top);
}

int OFD_afficheur::last_page() const {
  return filtre_affichage ? filtre_affichage->nb_pages() : 0;
}

void OFD_afficheur::activation(std::string* lignes, int nb, const std::string& titre_,
                               const std::string& lecteur) {
  if (form_parent != nullptr) fl_deactivate_form(form_parent);
  if (lignes != nullptr) {
    lecteur_pdf = lecteur;
    page_courante = 0;
    filtre_affichage = std::make_unique<OFD_afficheur_filtre_affichage>(lignes, nb);
    filtre_impression = std::make_unique<OFD_afficheur_filtre_impression>(lignes, nb);
    filtre_texte = std::make_unique<OFD_afficheur_filtre_texte>(lignes, nb);
    if (formspp_display_available()) {
      visu_page();
      fl_set_object_Slabel(titre, titre_, 81);
      fl_show_form(form, FL_PLACE_MOUSE, FL_TRANSIENT, "");
      run();
      fl_hide_form(form);
    } else {
      formspp_write_console_line(titre_);
      for (int index = 0; index < filtre_texte->nb_lignes; ++index) {
        formspp_write_console_line(formspp_pager::text_export_line(lignes[index]));
      }
    }
    // The lines are only borrowed for this call.
    filtre_affichage.reset();
    filtre_impression.reset();
    filtre_texte.reset();
  }
  if (form_parent != nullptr) fl_activate_form(form_parent);
}

void OFD_afficheur::activation(std::list<std::string>& lignes, const std::string& titre_,
                               const std::string& lecteur) {
  const std::unique_ptr<std::string[]> copies = array_convert(lignes);
  activation(copies.get(), static_cast<int>(lignes.size()), titre_, lecteur);
}

void OFD_afficheur::run() {
  for (;;) {
    Fl::check();
    Fl_Widget* pressed = Fl::readqueue();
    usleep(1000);
    if (pressed == bouton_precedent) {
      page_precedente();
    } else if (pressed == bouton_suivant) {
      page_suivante();
    } else if (pressed == bouton_pdf) {
      fichier_pdf();
    } else if (pressed == bouton_texte) {
      fichier_texte();
    } else if (pressed == bouton_aller || pressed == saisie_page) {
      // Checked as a long: a huge typed number must not wrap into a valid page.
      const long typed = Stol(fl_get_input(saisie_page));
      if (typed >= 1 && typed <= last_page() + 1) {
        page_numero(static_cast<int>(typed - 1));
      } else {
        // A refused number gives way to the page shown, so the field never says otherwise.
        fl_set_Sinput(saisie_page, unslong2S(static_cast<unsigned long>(page_courante) + 1));
      }
    }
    // A window closed by the window manager ends the pager like "cancel".
    if (pressed == bouton_annuler || pressed == form || !form->shown()) return;
  }
}

void OFD_afficheur::visu_page() {
  if (!filtre_affichage) return;
  const std::string page = filtre_affichage->visu_page(page_courante);
  fl_clear_browser(navigateur);
  if (!page.empty()) {
    for (const std::string& line : formspp_split_lines(page)) {
      size_t length = formspp_prefix_bytes(line, kBrowserLineLength);
      add_browser_text(navigateur, line.substr(0, length));
      for (size_t at = length; at < line.size(); at += length) {
        length = formspp_prefix_bytes(line, kBrowserLineLength, at);
        add_browser_text(navigateur, kContinuationPrefix + line.substr(at, length));
      }
    }
  }
  fl_show_object(navigateur);
  const std::string shown = unslong2S(static_cast<unsigned long>(page_courante) + 1);
  const std::string pages = unslong2S(static_cast<unsigned long>(last_page()) + 1);
  fl_set_object_Slabel(numero, "page " + shown + " / " + pages + "    ", 25);
  fl_set_Sinput(saisie_page, shown);
}

void OFD_afficheur::page_precedente() {
  if (page_courante <= 0) return;
  --page_courante;
  visu_page();
}

void OFD_afficheur::page_suivante() {
  if (page_courante >= last_page()) return;
  ++page_courante;
  visu_page();
}

void OFD_afficheur::page_numero(int n) {
  if (n < 0 || n > last_page()) return;
  page_courante = n;
  visu_page();
}
