// Dialogs, helpers and the pager's buttons where no display is open (the test's main unsets
// DISPLAY), and the safety of the outside commands.
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Window.H>

#include <filesystem>
#include <fstream>
#include <list>

#include "formspp.h"
#include "formspp/text_lines.h"
#include "test_support.h"

namespace {

TEST(Headless, DialogsPrintAndAnswerAsClosed) {
  testing::internal::CaptureStdout();
  fl_show_Salert("100% sure\\n %s");
  EXPECT_EQ(fl_show_Squestion("quit?", 1), 0);
  EXPECT_EQ(fl_show_Sinput("name", "x"), "");
  EXPECT_EQ(fl_show_int("count", 7), 7);
  EXPECT_EQ(fl_show_double(std::string("ratio"), 0.5), 0.5);
  fl_show_Sbigmessages("a\n\nb\n", 40);
  {
    const OFD_wait_form notice("working");
    EXPECT_EQ(notice.form, nullptr);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "100% sure\\n %s\nquit?\nname\ncount\nratio\na\n\nb\nworking\n");
}

TEST(Headless, PagerPrintsTheDocumentAndReactivatesItsParent) {
  Fl_Window parent(100, 100);
  OFD_afficheur pager(&parent, 1);
  std::list<std::string> lines = {"#C 5 ", "a#b", "#T"};
  testing::internal::CaptureStdout();
  pager.activation(lines, "Title", "");
  pager.activation(nullptr, 3, "none", "");
  std::list<std::string> empty;
  pager.activation(empty, "none", "");
  const std::string dashes(55, '-');
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Title\n" + dashes + "\na#b\n" + dashes + "\n");
  EXPECT_TRUE(parent.active());
  EXPECT_EQ(pager.filtre_affichage, nullptr) << "the borrowed lines are not kept";
  EXPECT_EQ(array_convert(empty), nullptr);
  EXPECT_EQ(array_convert(lines)[1], "a#b");
}

TEST(Widgets, LabelsAndBrowserLines) {
  Fl_Box box(0, 0, 10, 10);
  const std::pair<int, const char*> cuts[] = {
      {3, "abc"}, {6, "abcdef"}, {-1, "abcdef"}, {100, "abcdef"}, {0, ""}};
  for (const auto& [n, label] : cuts) {
    fl_set_object_Slabel(&box, "abcdef", n);
    EXPECT_STREQ(box.label(), label) << n;
  }
  Fl_Browser browser(0, 0, 10, 10);
  // The toolkit measures browser lines with a font, which needs a display: skipped without one.
  fl_add_browser_Sline(&browser, "a");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "b"), 0);
  fl_replace_browser_Sline(&browser, 1, "b");
  EXPECT_EQ(browser.size(), 0);
}

TEST(Widgets, MessageLines) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {{"a\n\nb\n", {"a", "", "b"}},
                                                                    {"", {""}},
                                                                    {"one", {"one"}},
                                                                    {"\n", {""}},
                                                                    {"x\n\n", {"x", ""}}};
  for (const auto& [text, lines] : cases) EXPECT_EQ(formspp_split_lines(text), lines) << text;
  EXPECT_EQ(formspp_literal_browser_line("@b bold?"), "@.@b bold?");
  EXPECT_EQ(formspp_literal_browser_line("a@b"), "a@b");
}

TEST(Outside, ViewerNameCannotRunAnotherCommand) {
  ScratchDirectory scratch;
  // A real program whose name is full of shell syntax; it keeps a copy of what it opened.
  const std::string viewer = scratch.path() + "/view \"$(touch bad1)\" `touch bad2`;touch bad3";
  write_file(viewer, "#!/bin/sh\ncp \"$1\" opened.pdf\n", true);
  write_file("tmp.pdf", "%PDF-1.4 placeholder");
  OFD_afficheur pager(nullptr, 0);
  pager.lecteur_pdf = viewer;
  pager.imprime_tmp_pdf();
  EXPECT_EQ(read_file("opened.pdf"), "%PDF-1.4 placeholder");
  EXPECT_FALSE(file_exists("tmp.pdf"));
  for (const char* injected : {"bad1", "bad2", "bad3"}) EXPECT_FALSE(file_exists(injected));
  pager.lecteur_pdf = "no such viewer";
  pager.imprime_tmp_pdf();  // reported on standard error, nothing else
}

TEST(Outside, PostScriptThroughPs2pdfAndTheReader) {
  ScratchDirectory scratch;
  // A stand-in for acroread, so that the test neither needs nor opens the real one.
  write_file("acroread", "#!/bin/sh\ncp \"$1\" seen.pdf\n", true);
  const std::string path = std::getenv("PATH") == nullptr ? "" : std::getenv("PATH");
  setenv("PATH", (scratch.path() + ":" + path).c_str(), 1);
  std::string doc[] = {"#C 4 ", "cell"};
  OFD_afficheur_filtre_impression filter(doc, 2);
  {
    std::fstream out("tmp.ps", std::ios::out);
    filter.imprime_postscript(out);
  }
  OFD_afficheur pager(nullptr, 1);
  EXPECT_EQ(pager.imprime_tmp_ps(), 0);
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(read_file("seen.pdf").substr(0, 5), "%PDF-");
  EXPECT_FALSE(file_exists("tmp.ps"));
  EXPECT_FALSE(file_exists("tmp.pdf"));
}

TEST(Outside, UnwritableFilesAreSkipped) {
  ScratchDirectory scratch;
  std::filesystem::create_directory("tmp.pdf");
  std::filesystem::create_directory("tmp.txt");
  std::string doc[] = {"a"};
  for (const int langue : {0, 1}) {
    OFD_afficheur pager(nullptr, langue);
    pager.filtre_impression = std::make_unique<OFD_afficheur_filtre_impression>(doc, 1);
    pager.filtre_texte = std::make_unique<OFD_afficheur_filtre_texte>(doc, 1);
    testing::internal::CaptureStdout();
    pager.fichier_pdf();
    pager.fichier_texte();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              langue == 0 ? "generation du fichier tmp.pdf\ngeneration du fichier tmp.txt\n"
                          : "generation of tmp.pdf file\ngeneration of tmp.txt file\n");
  }
  EXPECT_TRUE(std::filesystem::is_directory("tmp.txt"));
}

}  // namespace
