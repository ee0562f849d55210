// The dialogs in real windows, answered from their own event loops.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Multi_Browser.H>

#include <cstring>

#include "formspp.h"
#include "gui_script.h"
#include "support/gui_test.h"
#include "test_support.h"

namespace {

// Sends a key to the window that shows label, as the keyboard would.
bool key_to_window_with(const std::string& label, int key) {
  Fl_Window* window = window_with(label);
  if (window == nullptr) return false;
  Fl::e_keysym = key;
  static char enter[] = "\r";
  static char none[] = "";
  Fl::e_text = key == FL_Enter ? enter : none;
  Fl::e_length = key == FL_Enter ? 1 : 0;
  Fl::e_state = 0;
  Fl::handle(FL_KEYBOARD, window);
  return true;
}

TEST(DialogWindows, TextsAreShownLiterally) {
  REQUIRE_DISPLAY();
  const std::string text = "100% done \\n %s %d";
  bool credit_seen = false;
  GuiScript script;
  script.then([&] { return widget_labelled(text) != nullptr && press("Close"); }).then([&] {
    credit_seen = widget_where([](Fl_Widget* w) {
                    return w->label() != nullptr && std::strncmp(w->label(), "formspp", 7) == 0;
                  }) != nullptr;
    return credit_seen && press("Close");
  });
  script.start();
  fl_show_Salert(text);
  fl_show_ms();
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(credit_seen);
}

TEST(DialogWindows, QuestionAnswers) {
  REQUIRE_DISPLAY();
  const std::string question = "Delete 5% of \\files?";
  const std::pair<std::function<bool()>, int> cases[] = {
      {[&] { return press("Yes"); }, 1},
      {[&] { return press("No"); }, 0},
      {[&] { return key_to_window_with(question, FL_Enter); }, 1},
      {[&] { return key_to_window_with(question, FL_Escape); }, 0},
  };
  for (const auto& [act, expected] : cases) {
    GuiScript script;
    script.then([&] { return widget_labelled(question) != nullptr && act(); });
    script.start();
    EXPECT_EQ(fl_show_Squestion(question, 1 - expected), expected);
    EXPECT_TRUE(script.done());
  }
}

TEST(DialogWindows, InputBoxes) {
  REQUIRE_DISPLAY();
  struct Case {
    std::function<std::string()> ask;  // shows the box, gives its result as text
    std::string offered;
    std::string typed;  // empty: cancelled
    std::string result;
  };
  const auto real = [](double v) { return std::to_string(v); };
  const Case cases[] = {
      {[] { return fl_show_Sinput("Name %s", "def%d\\"); }, "def%d\\", "typed %n", "typed %n"},
      {[] { return fl_show_Sinput("Name", "x"); }, "x", "", ""},
      {[] { return std::to_string(fl_show_int("Count %d", 7)); }, "7", " 42x", "42"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "", "7"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "abc", "7"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "99999999999", "2147483647"},
      {[&] { return real(fl_show_double("Ratio", 0.5)); }, "0.500000", "2.25", real(2.25)},
      {[&] { return real(fl_show_double(std::string("Ratio"), 0.5)); }, "0.500000", "", real(0.5)},
      {[&] { return real(fl_show_double("Big", 1e70)); }, real(1e70), "-1e3z", real(-1000)},
  };
  for (const Case& c : cases) {
    std::string offered;
    GuiScript script;
    script.then([&] {
      if (first_widget<Fl_Input>() == nullptr || widget_labelled("Cancel") == nullptr) return false;
      offered = input_text();
      return c.typed.empty() ? press("Cancel") : answer(c.typed, "OK");
    });
    script.start();
    EXPECT_EQ(c.ask(), c.result) << c.offered << " / " << c.typed;
    EXPECT_EQ(offered, c.offered);
  }
}

TEST(DialogWindows, BigMessageWindowSavesItsText) {
  REQUIRE_DISPLAY();
  ScratchDirectory scratch;
  const std::string text = "a\n\nb\n";
  std::vector<std::string> lines;
  int width = 0;
  // Saved once where it can be written, once where it cannot (no such folder).
  for (const std::string& target : {scratch.path() + "/saved.txt", scratch.path() + "/no/x.txt"}) {
    GuiScript script;
    script
        .then([&] {
          auto* browser = first_widget<Fl_Multi_Browser>();
          if (browser == nullptr) return false;
          width = browser->window()->w();
          lines.clear();
          for (int i = 1; i <= browser->size(); ++i) lines.emplace_back(browser->text(i));
          return press("save");
        })
        .then([&] {
          auto* name = first_widget<Fl_File_Input>();
          if (name == nullptr || widget_labelled("OK") == nullptr) return false;
          name->value(target.c_str());
          return press("OK");
        })
        .then([&] { return first_widget<Fl_File_Input>() == nullptr && press("Quit"); });
    script.start();
    fl_show_Sbigmessages(text, 40);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(width, 250);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
  }
  EXPECT_EQ(read_file("saved.txt"), text);

  // Closed by the window manager: the dialog returns as for "Quit".
  GuiScript script;
  script.then([] {
    Fl_Window* window = window_with("Quit");
    return window != nullptr && Fl::handle(FL_CLOSE, window) != 0;
  });
  script.start();
  fl_show_Sbigmessages("@b not bold", 100);
  EXPECT_TRUE(script.done());
}

TEST(DialogWindows, WaitNoticeShowsUntilDestroyed) {
  REQUIRE_DISPLAY();
  const std::string message = "50% \\ %s";
  {
    const OFD_wait_form notice(message);
    ASSERT_NE(notice.form, nullptr);
    EXPECT_TRUE(notice.form->shown());
    EXPECT_STREQ(notice.form->label(), "travail en cours ...");
    EXPECT_EQ(notice.form->w(), 600);
    EXPECT_EQ(window_with(message), notice.form);
  }
  Fl::check();
  EXPECT_EQ(window_with(message), nullptr);
}

TEST(DialogWindows, BrowserLines) {
  REQUIRE_DISPLAY();
  Fl_Browser browser(0, 0, 100, 100);
  fl_add_browser_Sline(&browser, "a");
  fl_add_browser_Sline(&browser, "b");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "b"), 0);
  EXPECT_EQ(browser.size(), 2);
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "B"), 1);
  fl_replace_browser_Sline(&browser, 1, "%d");
  EXPECT_EQ(browser.size(), 3);
  EXPECT_STREQ(browser.text(1), "%d");
  EXPECT_STREQ(browser.text(3), "B");
}

}  // namespace
