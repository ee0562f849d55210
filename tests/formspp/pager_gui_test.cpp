// The pager in a real window: page moves, the page field, both exports, cancel and close.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/forms.H>

#include "formspp.h"
#include "gui_script.h"
#include "support/gui_test.h"
#include "test_support.h"

namespace {

// Three pages: 200 rows under one table, then a line too long for one browser line.
std::vector<std::string> three_pages() {
  std::vector<std::string> doc = {"#C 6 T12 20 "};
  for (int i = 1; i <= 200; ++i) doc.push_back("row " + std::to_string(i) + "#value#n");
  doc.push_back("#C 154 50 ");
  doc.push_back(std::string(154, 'A') + "#@x");
  return doc;
}

class PagerWindow : public testing::Test {
 protected:
  void SetUp() override { parent_.show(); }
  std::string page_label() const { return pager_.numero->label(); }
  // Checks the page shown, then presses button.
  std::function<bool()> on(const char* label, Fl_Widget* button) {
    return [this, label, button] {
      EXPECT_EQ(page_label(), label);
      button->do_callback();
      return true;
    };
  }
  std::function<bool()> go_to(const char* label, const char* typed) {
    return [this, label, typed] {
      EXPECT_EQ(page_label(), label);
      pager_.saisie_page->value(typed);
      pager_.bouton_aller->do_callback();
      return true;
    };
  }

  ScratchDirectory scratch_;
  Fl_Window parent_{200, 100, "parent"};
  OFD_afficheur pager_{&parent_, 1};
  std::vector<std::string> doc_ = three_pages();
};

TEST_F(PagerWindow, MovesBetweenPagesAndExports) {
  REQUIRE_DISPLAY();
  write_file("viewer", "#!/bin/sh\ncp \"$1\" viewed.pdf\n", true);
  EXPECT_STREQ(pager_.bouton_suivant->label(), "next page");
  GuiScript script;
  script.then([&] { return pager_.form->shown() != 0; })
      .then([&] {
        EXPECT_FALSE(parent_.active());
        EXPECT_STREQ(pager_.titre->label(), std::string(81, 'T').c_str());
        EXPECT_EQ(pager_.navigateur->size(), 78);
        EXPECT_STREQ(pager_.navigateur->text(2), "@f@S14 row 1 value       n");
        return true;
      })
      .then(on("page 1 / 3    ", pager_.bouton_suivant))
      .then(on("page 2 / 3    ", pager_.bouton_suivant))
      .then(on("page 3 / 3    ", pager_.bouton_suivant))
      .then(on("page 3 / 3    ", pager_.bouton_precedent))
      .then(go_to("page 2 / 3    ", "1"))
      .then(on("page 1 / 3    ", pager_.bouton_precedent))
      .then(go_to("page 1 / 3    ", "0"))
      .then(go_to("page 1 / 3    ", "4"))
      .then([&] {
        // Enter in the page field jumps too.
        EXPECT_EQ(page_label(), "page 1 / 3    ");
        pager_.saisie_page->value("3");
        Fl::focus(pager_.saisie_page);
        Fl::e_keysym = FL_Enter;
        Fl::e_state = 0;
        Fl::handle(FL_KEYBOARD, pager_.form);
        return true;
      })
      .then([&] {
        EXPECT_EQ(page_label(), "page 3 / 3    ");
        EXPECT_STREQ(pager_.saisie_page->value(), "3");
        const int last = pager_.navigateur->size();
        EXPECT_EQ(std::string(pager_.navigateur->text(last - 1)).size(), 161U);
        EXPECT_STREQ(pager_.navigateur->text(last), "@f@S14@.@x");
        pager_.bouton_texte->do_callback();
        return true;
      })
      .then([&] { return widget_labelled("generation of tmp.txt file") && press("Close"); })
      .then([&] {
        EXPECT_EQ(read_file("tmp.txt").substr(0, 56), std::string(55, '-') + "\n");
        pager_.bouton_pdf->do_callback();  // runs the viewer and waits for it
        return true;
      })
      .then([&] {
        if (!file_exists("viewed.pdf") || file_exists("tmp.pdf")) return false;
        pager_.bouton_annuler->do_callback();
        return true;
      });
  script.start();
  pager_.activation(doc_.data(), static_cast<int>(doc_.size()), std::string(90, 'T'),
                    scratch_.path() + "/viewer");
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(parent_.active());
  EXPECT_FALSE(pager_.form->shown());
  const std::string text = read_file("tmp.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 203);
  EXPECT_NE(text.find("\nrow 200#value#n\n" + std::string(55, '-') + "\nAAA"), std::string::npos);
  std::string report;
  EXPECT_EQ(run_command("qpdf --check viewed.pdf", &report), 0) << report;
  EXPECT_NE(report.find("No syntax or stream encoding errors"), std::string::npos);
  EXPECT_EQ(report.find("WARNING"), std::string::npos) << report;
}

TEST_F(PagerWindow, FrenchPdfWithoutViewerAndClosedWindow) {
  REQUIRE_DISPLAY();
  OFD_afficheur french(&parent_, 0);
  EXPECT_STREQ(french.bouton_precedent->label(), "page precedente");
  EXPECT_STREQ(french.bouton_annuler->label(), "ANNULER");
  GuiScript script;
  script.then([&] { return french.form->shown() != 0; })
      .then([&] {
        french.bouton_pdf->do_callback();
        return true;
      })
      .then([&] { return widget_labelled("generation du fichier tmp.pdf") && press("Close"); })
      .then([&] { return Fl::handle(FL_CLOSE, french.form) != 0; });
  script.start();
  std::list<std::string> lines(doc_.begin(), doc_.end());
  french.activation(lines, "titre", "");
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(parent_.active());
  EXPECT_EQ(run_command("qpdf --check tmp.pdf"), 0);
  EXPECT_EQ(run_command("pdfinfo tmp.pdf | grep -q 'Pages: *3'"), 0);
}

}  // namespace
