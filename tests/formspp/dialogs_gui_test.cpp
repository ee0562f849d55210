// The dialogs in real windows, answered from their own event loops.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/fl_draw.H>
#include <FL/forms.H>

#include <memory>

#include "formspp.h"
#include "gui_helpers.h"
#include "support/gui_test.h"
#include "test_support.h"

namespace {

// Sends a key to the window of the widget labelled label, as the keyboard would.
bool key_to(const std::string& label, int key) {
  Fl_Widget* widget = labelled(label);
  if (widget == nullptr) return false;
  static char enter[] = "\r";
  Fl::e_keysym = key;
  Fl::e_text = enter + (key == FL_Enter ? 0 : 1);
  Fl::e_length = key == FL_Enter ? 1 : 0;
  Fl::e_state = 0;
  return Fl::handle(FL_KEYBOARD, widget->window()) != 0;
}

TEST(DialogWindows, MessagesAndQuestions) {
  REQUIRE_DISPLAY();
  const std::string text = "100% \\n %s %d";  // must be shown as written
  GuiScript script;
  script.then([&] { return labelled(text) != nullptr && press("Close"); }).then([] {
    return find_widget([](Fl_Widget* w) {
             return w->label() != nullptr && std::string(w->label()).rfind("formspp", 0) == 0;
           }) != nullptr &&
           press("Close");
  });
  script.start();
  fl_show_Salert(text);
  fl_show_ms();
  EXPECT_TRUE(script.done());

  const std::pair<std::function<bool()>, int> answers[] = {
      {[] { return press("Yes"); }, 1},
      {[] { return press("No"); }, 0},
      {[&] { return key_to(text, FL_Enter); }, 1},
      {[&] { return key_to(text, FL_Escape); }, 0},
  };
  for (const auto& [act, expected] : answers) {
    GuiScript answer;
    const std::function<bool()>& step = act;
    answer.then([&] { return labelled(text) != nullptr && step(); }).start();
    EXPECT_EQ(fl_show_Squestion(text, 1 - expected), expected);
  }
}

TEST(DialogWindows, InputBoxes) {
  REQUIRE_DISPLAY();
  const auto real = [](double v) { return std::to_string(v); };
  const struct {
    std::function<std::string()> ask;    // shows the box; returns its result as text
    std::string offered, typed, result;  // typed "": cancelled
  } cases[] = {
      {[] { return fl_show_Sinput("Name %s", "def%d\\"); }, "def%d\\", "typed %n", "typed %n"},
      {[] { return fl_show_Sinput("Name", "x"); }, "x", "", ""},
      {[] { return std::to_string(fl_show_int("Count %d", 7)); }, "7", " 42x", "42"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "", "7"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "abc", "7"},
      {[] { return std::to_string(fl_show_int("Count", 7)); }, "7", "99999999999", "2147483647"},
      {[&] { return real(fl_show_double("Ratio", 0.5)); }, "0.500000", "2.25", real(2.25)},
      {[&] { return real(fl_show_double(std::string("R"), 0.5)); }, "0.500000", "", real(0.5)},
      {[&] { return real(fl_show_double("Big", 1e70)); }, real(1e70), "-1e3z", real(-1000)},
  };
  for (const auto& c : cases) {
    std::string offered;
    GuiScript script;
    script.then([&] {
      auto* input = first_of<Fl_Input>();
      if (input == nullptr || labelled("Cancel") == nullptr) return false;
      offered = input->value();
      input->value(c.typed.c_str());
      return press(c.typed.empty() ? "Cancel" : "OK");
    });
    script.start();
    EXPECT_EQ(c.ask(), c.result) << c.typed;
    EXPECT_EQ(offered, c.offered);
  }
}

TEST(DialogWindows, BigMessageWindowSavesItsText) {
  REQUIRE_DISPLAY();
  ScratchDirectory scratch;
  // Saved once where it can be written, once where it cannot (no such folder).
  for (const std::string& target : {scratch.path + "/saved.txt", scratch.path + "/no/x.txt"}) {
    std::vector<std::string> lines;
    int width = 0;
    GuiScript script;
    script
        .then([&] {
          auto* browser = first_of<Fl_Multi_Browser>();
          if (browser == nullptr) return false;
          width = browser->window()->w();
          for (int i = 1; i <= browser->size(); ++i) lines.emplace_back(browser->text(i));
          return press("save");
        })
        .then([&] {
          // The second chooser opens on the file saved first and previews it, running the event
          // loop before it gives its name field the focus, last. An OK pressed from there hides a
          // chooser that the focus then shows again (with no window manager, focusing a window
          // maps it), and nobody closes it: answer once the chooser has finished showing.
          auto* name = first_of<Fl_File_Input>();
          if (name == nullptr || Fl::focus() != name) return false;
          name->value(target.c_str());
          return press("OK");
        })
        .then([] { return first_of<Fl_File_Input>() == nullptr && press("Quit"); });
    script.start();
    fl_show_Sbigmessages("a\n\nb\n", 40);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(width, 250);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
  }
  EXPECT_EQ(read_file("saved.txt"), "a\n\nb\n");

  GuiScript close;  // by the window manager: returns as for "Quit"
  close.then([] { return labelled("Quit") && Fl::handle(FL_CLOSE, labelled("Quit")->window()); });
  close.start();
  fl_show_Sbigmessages("text", 100);
  EXPECT_TRUE(close.done());
}

TEST(DialogWindows, WaitNoticeAndBrowserLines) {
  REQUIRE_DISPLAY();
  {
    const OFD_wait_form notice("50% \\ %s");
    ASSERT_NE(notice.form, nullptr);
    EXPECT_TRUE(notice.form->shown());
    EXPECT_STREQ(notice.form->label(), "travail en cours ...");
    EXPECT_EQ(labelled("50% \\ %s"), static_cast<Fl_Widget*>(notice.text));
  }
  EXPECT_EQ(labelled("50% \\ %s"), nullptr);

  Fl_Browser browser(0, 0, 100, 100);
  fl_add_browser_Sline(&browser, "a");
  fl_add_browser_Sline(&browser, "b");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "b"), 0);
  EXPECT_EQ(browser.size(), 2);
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "B"), 1);
  fl_replace_browser_Sline(&browser, 1, "%d");
  EXPECT_EQ(browser.size(), 3);
  EXPECT_STREQ(browser.text(1), "%d");
  // A line that begins with the browser's format character is held behind the code that ends
  // formatting, so that it shows as written.
  fl_add_browser_Sline(&browser, "@-> x");
  EXPECT_STREQ(browser.text(4), "@.@-> x");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "@-> x"), 0);
  browser.format_char('#');
  fl_replace_browser_Sline(&browser, 1, "#C");
  EXPECT_EQ(fl_add_browser_Sline_if_new(&browser, "@x"), 1);
  browser.format_char(0);
  fl_add_browser_Sline(&browser, "#x");
  const char* const held[] = {"#.#C", "b", "B", "@.@-> x", "@x", "#x"};
  ASSERT_EQ(browser.size(), 6);
  for (int line = 1; line <= 6; ++line) EXPECT_STREQ(browser.text(line), held[line - 1]);
}

// Checks that picture shows text as written on one line in font at size: as wide as its letters
// and no higher than a line. A symbol read from an '@' would be drawn as high as its box, and the
// text cut where it starts.
void expect_written(const Picture& picture, const std::string& text, Fl_Font font, int size,
                    const std::string& where) {
  fl_font(font, size);
  const int width = static_cast<int>(fl_width(text.c_str()));
  const Ink ink = ink_box(picture, 300);
  EXPECT_NEAR(ink.right - ink.left + 1, width, 3 + width / 50.0) << where;
  EXPECT_LE(ink.bottom - ink.top + 1, fl_height()) << where;
}

// A symbol at the start, an '@' inside a word, a symbol at the end.
const std::string kAtSigns = "@-> écrire à x@y.fr @+";

TEST(DialogWindows, AtSignsInBoxesAreShownAsWritten) {
  REQUIRE_DISPLAY();
  const std::pair<const char*, std::function<void()>> boxes[] = {
      {"message", [] { fl_show_Smessages(kAtSigns); }},
      {"alert", [] { fl_show_Salert(kAtSigns); }},
      {"question", [] { (void)fl_show_Squestion(kAtSigns); }},
      {"text input", [] { (void)fl_show_Sinput(kAtSigns, "@->"); }},
      {"integer input", [] { (void)fl_show_int(kAtSigns.c_str(), 1); }},
      {"real input", [] { (void)fl_show_double(kAtSigns.c_str(), 1); }},
      {"real input, string label", [] { (void)fl_show_double(kAtSigns, 1); }},
  };
  for (const auto& [name, show] : boxes) {
    Picture message;
    Fl_Font font = FL_HELVETICA;
    int size = 0;
    GuiScript script;
    script.then([&] {
      Fl_Widget* box = find_widget([](Fl_Widget* w) {
        return w->label() != nullptr && std::string(w->label()).find("fr") != std::string::npos;
      });
      if (box == nullptr) return false;
      message = picture_of(box->window(), box->x(), box->y(), box->w(), box->h());
      font = box->labelfont();
      size = box->labelsize();
      return press("Cancel") || press("No") || press("Close");
    });
    script.start();
    show();
    ASSERT_TRUE(script.done()) << name;
    expect_written(message, kAtSigns, font, size, name);
  }
}

// Draws with a function of the library into a box of its own.
class Drawn : public Fl_Widget {
 public:
  explicit Drawn(std::function<void(const Fl_Widget&)> draw)
      : Fl_Widget(10, 10, 380, 40), draw_(std::move(draw)) {}

 protected:
  void draw() override { draw_(*this); }

 private:
  std::function<void(const Fl_Widget&)> draw_;
};

// Texts drawn and labels set by the library, each in the box 10, 10, 380 x 40 of a window.
TEST(DialogWindows, AtSignsInDrawnTextAndLabelsAreShownAsWritten) {
  REQUIRE_DISPLAY();
  const Fl_Align left = FL_ALIGN_LEFT | FL_ALIGN_INSIDE;
  const OFL_vision_sheet sheet;
  using Made = std::unique_ptr<Fl_Widget>;
  const std::pair<const char*, std::function<Made()>> widgets[] = {
      {"fl_drw_String",
       [&] {
         return std::make_unique<Drawn>([&](const Fl_Widget& w) {
           fl_drw_String(left, w.x(), w.y(), w.w(), w.h(), FL_BLACK, 14, FL_HELVETICA, kAtSigns);
         });
       }},
      {"ofl_drw_String (through ofl_drw_text)",
       [&] {
         return std::make_unique<Drawn>([&](const Fl_Widget& w) {
           sheet.ofl_drw_String(left, w.x(), w.y(), w.w(), w.h(), FL_BLACK, FL_HELVETICA, 14,
                                kAtSigns);
         });
       }},
      {"fl_set_object_Slabel",
       [] {
         auto box = std::make_unique<Fl_Box>(10, 10, 380, 40);
         box->align(left);
         fl_set_object_Slabel(box.get(), kAtSigns, -1);
         return Made(std::move(box));
       }},
      {"fl_add_Stext", [] { return Made(fl_add_Stext(FL_NO_BOX, 10, 10, 380, 40, kAtSigns)); }},
  };
  for (const auto& [name, make] : widgets) {
    Fl_Window window(400, 60);
    window.end();
    const Made widget = make();  // leaves the window when it is deleted
    window.add(widget.get());
    expect_written(picture_of(&window, 10, 10, 380, 40), kAtSigns, FL_HELVETICA, 14, name);
  }
}

// The notice as its busy owner's user sees it: the screen is read by another connection while the
// owner runs no event loop at all.
class WaitNoticeOnScreen : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_DISPLAY();
    screen_.backdrop(kBackdrop);
  }
  // Checks that picture, taken inside the notice's frame, shows message on the notice's face:
  // whole, in dark ink, centred, and nothing else drawn there.
  static void expect_notice(const Picture& picture, const std::string& message) {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    const int width = static_cast<int>(fl_width(message.c_str()));
    const Rgb face = rgb_of(FL_BACKGROUND_COLOR);
    const Ink ink = ink_box(picture, 200);
    const int left = ink.left;
    const int right = ink.right;
    EXPECT_GT(std::count(picture.pixels.begin(), picture.pixels.end(), face),
              picture.w * picture.h * 9 / 10)
        << "the notice's face";
    EXPECT_GE(left, picture.w / 2 - width / 2 - 2) << "ink left of the message";
    EXPECT_LE(right, picture.w / 2 + width / 2 + 2) << "ink right of the message";
    EXPECT_GE(right - left, width * 9 / 10) << "the message is not all there";
  }
  // Checks that the notice has left the rectangle (x, y, 600, 60) to the backdrop.
  void expect_gone(int x, int y) const {
    const Picture picture = screen_.read(x, y, 600, 60);
    const auto others = std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                      [](const Rgb& p) { return !(p == kBackdrop); });
    EXPECT_EQ(others, 0) << "pixels of the notice left on the screen";
  }

  static constexpr Rgb kBackdrop{0, 128, 96};
  ScreenReader screen_;
};

// Busy from the start, or after its owner ran the event loop for a while.
TEST_F(WaitNoticeOnScreen, ReadableWhileItsOwnerBlocksAndGoneOnceDestroyed) {
  for (const bool settled : {false, true}) {
    const std::string message = settled ? "50% done" : "computing, please wait ...";
    std::pair<int, int> at;
    {
      const OFD_wait_form notice(message);
      if (settled) settle(notice.form);
      // From here the owner is busy: no call to the toolkit until the notice is destroyed.
      at = screen_.origin(notice.form);
      expect_notice(screen_.read(at.first + 5, at.second + 5, 590, 50), message);
    }
    expect_gone(at.first, at.second);
  }
}

}  // namespace
