// Dialogs, helpers and the pager's buttons where no display is open (the test's main unsets
// DISPLAY), and the outside commands.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <filesystem>

#include "formspp.h"
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
  EXPECT_EQ(OFD_wait_form("working").form, nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "100% sure\\n %s\nquit?\nname\ncount\nratio\na\n\nb\nworking\n");
}

// The message is on standard output when the call returns: a process that then ends without
// flushing its streams (_exit, a crash) has not lost it.
TEST(Headless, MessageIsOutBeforeTheProcessEnds) {
  ScratchDirectory scratch;
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    if (std::freopen("out.txt", "w", stdout) == nullptr) _exit(126);
    fl_show_Smessages("last words");
    _exit(0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(read_file("out.txt"), "last words\n");
}

TEST(Headless, PagerPrintsTheTextExport) {
  Fl_Window parent(100, 100);
  OFD_afficheur pager(&parent, 1);
  std::list<std::string> lines = {"#C 5 ", "a#b (c)", "#T"}, none;
  testing::internal::CaptureStdout();
  pager.activation(lines, "Title", "");
  pager.activation(nullptr, 3, "nothing", "");
  pager.activation(none, "nothing", "");
  const std::string dashes(55, '-');
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Title\n" + dashes + "\na#b (c)\n" + dashes + "\n");
  EXPECT_TRUE(parent.active());
  EXPECT_EQ(pager.filtre_affichage, nullptr) << "the borrowed lines are not kept";
  EXPECT_EQ(array_convert(none), nullptr);
  EXPECT_EQ(array_convert(lines)[1], "a#b (c)");
}

TEST(Headless, LabelsAndBrowsers) {
  Fl_Box box(0, 0, 10, 10);
  for (const auto& [n, label] :
       {std::pair{3, "abc"}, {6, "abcdef"}, {-1, "abcdef"}, {100, "abcdef"}, {0, ""}}) {
    fl_set_object_Slabel(&box, "abcdef", n);
    EXPECT_STREQ(box.label(), label) << n;
  }
  // n counts characters, never half of one.
  fl_set_object_Slabel(&box, "été à Noël", 2);
  EXPECT_STREQ(box.label(), "ét");
  // The normal label type gives way to one that draws '@' as written; another one is the caller's.
  EXPECT_NE(box.labeltype(), FL_NORMAL_LABEL);
  Fl_Box shadow(0, 0, 10, 10);
  shadow.labeltype(FL_SHADOW_LABEL);
  fl_set_object_Slabel(&shadow, "@->", 1);
  EXPECT_STREQ(shadow.label(), "@");
  EXPECT_EQ(shadow.labeltype(), FL_SHADOW_LABEL);
  // The toolkit measures browser lines with a font, which needs a display.
  Fl_Browser browser(0, 0, 10, 10);
  fl_add_browser_Sline(&browser, "a");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "b"), 0);
  EXPECT_EQ(browser.size(), 0);
}

TEST(Outside, ViewerNameCannotRunAnotherCommand) {
  ScratchDirectory scratch;
  const std::string viewer = scratch.path + "/view \"$(touch bad1)\" `touch bad2`;touch bad3";
  write_script(viewer, "cp \"$1\" opened.pdf");
  std::ofstream("tmp.pdf") << "%PDF-1.4 stand-in";
  OFD_afficheur pager(nullptr, 0);
  pager.lecteur_pdf = viewer;
  pager.imprime_tmp_pdf();
  EXPECT_EQ(read_file("opened.pdf"), "%PDF-1.4 stand-in");
  EXPECT_FALSE(std::filesystem::exists("tmp.pdf"));
  for (const char* injected : {"bad1", "bad2", "bad3"})
    EXPECT_FALSE(std::filesystem::exists(injected));
  pager.lecteur_pdf = "no such viewer";
  testing::internal::CaptureStderr();
  pager.imprime_tmp_pdf();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"no such viewer\""), std::string::npos);
}

TEST(Outside, PostScriptThroughPs2pdfAndTheReader) {
  ScratchDirectory scratch;
  write_script("acroread", "cp \"$1\" seen.pdf");  // neither needs nor opens the real one
  const char* old_path = std::getenv("PATH");
  const std::string path = old_path == nullptr ? "/usr/bin:/bin" : old_path;
  setenv("PATH", (scratch.path + ":" + path).c_str(), 1);
  std::string lines[] = {"#C 4 ", "cell"};
  {
    std::fstream out("tmp.ps", std::ios::out);
    OFD_afficheur_filtre_impression(lines, 2).imprime_postscript(out);
  }
  EXPECT_EQ(OFD_afficheur(nullptr, 1).imprime_tmp_ps(), 0);
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(read_file("seen.pdf").substr(0, 5), "%PDF-");
  EXPECT_FALSE(std::filesystem::exists("tmp.ps") || std::filesystem::exists("tmp.pdf"));
}

TEST(Outside, UnwritableFilesAreSkipped) {
  ScratchDirectory scratch;
  std::filesystem::create_directory("tmp.pdf");
  std::filesystem::create_directory("tmp.txt");
  std::string lines[] = {"a"};
  for (const int langue : {0, 1}) {
    OFD_afficheur pager(nullptr, langue);
    pager.filtre_impression = std::make_unique<OFD_afficheur_filtre_impression>(lines, 1);
    pager.filtre_texte = std::make_unique<OFD_afficheur_filtre_texte>(lines, 1);
    testing::internal::CaptureStdout();
    pager.fichier_pdf();
    pager.fichier_texte();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              langue == 0 ? "generation du fichier tmp.pdf\ngeneration du fichier tmp.txt\n"
                          : "generation of tmp.pdf file\ngeneration of tmp.txt file\n");
  }
}

}  // namespace
