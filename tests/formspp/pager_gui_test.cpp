// The pager in a real window: page moves, the page field, both exports, cancel and close.
#include <gtest/gtest.h>

#include <FL/fl_draw.H>
#include <FL/forms.H>

#include <filesystem>

#include "formspp.h"
#include "gui_helpers.h"
#include "support/gui_test.h"
#include "test_support.h"

namespace {

// Returns count letters of two bytes each.
std::string letters(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "É";
  return text;
}

class PagerWindow : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_DISPLAY();
    parent_.show();
    for (int i = 1; i <= 200; ++i) doc_.push_back("row " + std::to_string(i) + "#value#n");
    // Wider than two browser lines of 161 characters, whose letters take two bytes each, with a
    // '@' where the second browser line begins.
    doc_.insert(doc_.end(), {"#C 154 200 ", wide_ + "#@x" + wide_ + wide_});
  }
  // A step that checks the page shown (in the label and the field), types typed (if any) and
  // presses button, or Enter in the field when button is null.
  std::function<bool()> on(int page, Fl_Widget* button, const char* typed = nullptr) {
    return [=] {
      const std::string shown = std::to_string(page);
      EXPECT_EQ(pager_.numero->label(), "page " + shown + " / 3    ");
      EXPECT_EQ(pager_.saisie_page->value(), shown);
      if (typed != nullptr) pager_.saisie_page->value(typed);
      if (button != nullptr) {
        button->do_callback();
        return true;
      }
      Fl::focus(pager_.saisie_page);
      Fl::e_keysym = FL_Enter;
      return Fl::handle(FL_KEYBOARD, pager_.form) != 0;
    };
  }

  ScratchDirectory scratch_;
  Fl_Window parent_{200, 100, "parent"};
  OFD_afficheur pager_{&parent_, 1};
  std::vector<std::string> doc_ = {"#C 6 T12 20 "};  // 200 rows and a long line: 3 pages
  std::string wide_ = letters(154);
};

TEST_F(PagerWindow, MovesBetweenPagesAndExports) {
  write_script("viewer", "cp \"$1\" viewed.pdf");
  GuiScript script;
  script.then([&] { return pager_.form->shown() != 0; })
      .then([&] {
        EXPECT_FALSE(parent_.active());
        EXPECT_STREQ(pager_.titre->label(), std::string(81, 'T').c_str());
        EXPECT_EQ(pager_.navigateur->size(), 78);
        EXPECT_STREQ(pager_.navigateur->text(2), "@f@S14 row 1 value       n");
        return true;
      })
      .then(on(1, pager_.bouton_suivant))
      .then(on(2, pager_.bouton_suivant))
      .then(on(3, pager_.bouton_suivant))
      .then(on(3, pager_.bouton_precedent));
  for (const char* refused : {"abc", "0", "4", "", "-2"})
    script.then(on(2, pager_.bouton_aller, refused));
  script.then(on(2, nullptr, "99"))
      .then(on(2, pager_.bouton_aller, "1"))
      .then(on(1, pager_.bouton_precedent))
      .then(on(1, nullptr, "3"))
      .then([&] {
        const int last = pager_.navigateur->size();
        // 161 characters a browser line: the prefix and 154, then "@x" and 159 of the last cell
        // (cut to 200), then its 39 left, each line after the first behind its own prefix.
        EXPECT_EQ(pager_.navigateur->text(last - 2), "@f@S14 " + wide_);
        EXPECT_EQ(pager_.navigateur->text(last - 1), "@f@S14@.@x" + letters(159));
        EXPECT_EQ(pager_.navigateur->text(last), "@f@S14@." + letters(39));
        pager_.bouton_texte->do_callback();
        return true;
      })
      .then([] { return labelled("generation of tmp.txt file") && press("Close"); })
      .then(on(3, pager_.bouton_pdf))  // runs the viewer and waits for it
      .then([&] {
        return std::filesystem::exists("viewed.pdf") && !std::filesystem::exists("tmp.pdf");
      })
      .then(on(3, pager_.bouton_annuler));
  script.start();
  pager_.activation(doc_.data(), static_cast<int>(doc_.size()), std::string(90, 'T'),
                    scratch_.path + "/viewer");
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(parent_.active());
  EXPECT_FALSE(pager_.form->shown());
  const std::string text = read_file("tmp.txt"), dashes(55, '-');
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 203);
  EXPECT_NE(text.find("\nrow 200#value#n\n" + dashes + "\n" + wide_ + "#@x" + wide_ + wide_),
            std::string::npos);
  std::string report;
  EXPECT_EQ(run_command("qpdf --check viewed.pdf && pdfinfo viewed.pdf", &report), 0) << report;
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
  EXPECT_NE(report.find("Pages:           3"), std::string::npos) << report;
}

TEST_F(PagerWindow, FrenchPdfWithoutViewerAndClosedWindow) {
  OFD_afficheur french(&parent_, 0);
  EXPECT_STREQ(french.bouton_precedent->label(), "page precedente");
  GuiScript script;
  script.then([&] { return french.form->shown() != 0; })
      .then([&] {
        french.bouton_pdf->do_callback();
        return true;
      })
      .then([] { return labelled("generation du fichier tmp.pdf") && press("Close"); })
      .then([&] { return Fl::handle(FL_CLOSE, french.form) != 0; });
  script.start();
  std::list<std::string> lines(doc_.begin(), doc_.end());
  french.activation(lines, "titre", "");
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(parent_.active());
  EXPECT_EQ(run_command("qpdf --check tmp.pdf"), 0);
}

// The strip under the page, read back with titles of the longest length: the page number is
// drawn as with no title, and the whole title stands beside it, at its size, inside the window.
TEST_F(PagerWindow, LongTitleBesideThePageNumber) {
  const std::string titles[] = {
      "", std::string(81, 'W'),
      "Simulation report of module WATCH_DOG_WITH_A_LONG_NAME, run 12 of 2024-05-17, 14h"};
  Picture blank;  // the strip without a title
  for (const std::string& title : titles) {
    ASSERT_LE(title.size(), 81U);
    Picture strip;
    Picture redrawn;  // after the strip right of the title's box alone was exposed again
    GuiScript script;
    script.then([&] { return pager_.form->shown() != 0; }).then([&] {
      const int top = pager_.navigateur->y() + pager_.navigateur->h();
      const int w = pager_.form->w(), h = pager_.form->h() - top;
      strip = picture_of(pager_.form, 0, top, w, h);
      const int box_end = pager_.titre->x() + pager_.titre->w();
      pager_.form->damage(FL_DAMAGE_ALL, box_end + 1, top, w - box_end - 1, h);
      redrawn = picture_of(pager_.form, 0, top, w, h);
      pager_.bouton_annuler->do_callback();
      return true;
    });
    script.start();
    pager_.activation(doc_.data(), static_cast<int>(doc_.size()), title, "");
    ASSERT_TRUE(script.done());
    if (title.empty()) {
      blank = strip;
      continue;
    }
    EXPECT_TRUE(redrawn.pixels == strip.pixels) << title;
    const int number_end = pager_.numero->x() + pager_.numero->w();
    for (int y = 0; y < strip.h; ++y) {
      for (int x = 0; x <= number_end; ++x) {
        ASSERT_EQ(strip.at(x, y), blank.at(x, y)) << "page number covered at " << x << ", " << y;
      }
    }
    const std::vector<Ink> lines = ink_lines(strip, 200, &blank, number_end + 1);
    ASSERT_FALSE(lines.empty()) << title;
    int drawn = 0;
    for (const Ink& line : lines) {
      EXPECT_TRUE(line.left > number_end && line.right < strip.w - 3) << title;
      EXPECT_TRUE(line.top > 2 && line.bottom < strip.h - 3) << title;
      drawn += line.right - line.left + 1;
    }
    fl_font(FL_HELVETICA_BOLD, 12);
    EXPECT_GE(drawn, static_cast<int>(fl_width(title.c_str()) * 0.9)) << title;
  }
}

// A French document seen as its reader sees it: the pager's page (data/french_page.txt) and title
// against the same laid out by hand in one wide column (data/french_page_by_hand.txt), whose
// lines the pager shows as they are. Accented letters take one place each in their column,
// whole, and a cut never splits one.
TEST_F(PagerWindow, FrenchDocumentInNarrowColumns) {
  // The 81st byte of the title is the first of the "é" of "sécurité".
  const std::string title =
      "Rapport de simulation du module CONTRÔLE_PORTE : réactions, états et sécurité de l’arrêt "
      "d’urgence, 14 février";
  const std::string title_by_hand =
      "Rapport de simulation du module CONTRÔLE_PORTE : réactions, états et sécurité de ";
  OFD_afficheur pager(&parent_, 0);
  // Returns the page and the strip of the title as shown for lines.
  const auto shown = [&](std::vector<std::string> lines, const std::string& titre,
                         const char* screenshot_name) {
    std::pair<Picture, Picture> pictures;
    GuiScript script;
    script.then([&] { return pager.form->shown() != 0; }).then([&] {
      Fl_Browser* page = pager.navigateur;
      const Fl_Boxtype box = page->box();
      pictures.first =
          picture_of(pager.form, page->x() + Fl::box_dx(box), page->y() + Fl::box_dy(box),
                     page->w() - Fl::box_dw(box), page->h() - Fl::box_dh(box));
      pictures.second = picture_of(pager.form, 0, 0, pager.form->w(), page->y());
      EXPECT_TRUE(screenshot(pager.form, screenshot_name));
      pager.bouton_annuler->do_callback();
      return true;
    });
    script.start();
    pager.activation(lines.data(), static_cast<int>(lines.size()), titre, "");
    EXPECT_TRUE(script.done());
    return pictures;
  };
  const auto [page, strip] = shown(data_document("french_page.txt"), title, "pager_french");
  EXPECT_STREQ(pager.titre->label(), title_by_hand.c_str());
  const auto [page_by_hand, strip_by_hand] =
      shown(data_document("french_page_by_hand.txt"), title_by_hand, "pager_by_hand");
  const std::vector<Ink> lines = ink_lines(page_by_hand, 200);
  ASSERT_FALSE(lines.empty());
  EXPECT_GE(lines.back().bottom - lines.front().top, 8 * 14) << "eight lines of text";
  EXPECT_TRUE(page.pixels == page_by_hand.pixels)
      << "the page differs from the one laid out by hand";
  EXPECT_FALSE(ink_lines(strip_by_hand, 200).empty());
  EXPECT_TRUE(strip.pixels == strip_by_hand.pixels) << "the title differs";
}

}  // namespace
