// Helpers of the tests that open FLTK windows: scripts that answer modal windows from inside their
// own event loops, finding and pressing widgets, and reading back a window's pixels.
#ifndef MORVAC_TESTS_GUI_HELPERS_H
#define MORVAC_TESTS_GUI_HELPERS_H

#include <FL/Enumerations.H>

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class Fl_Widget;
class Fl_Window;

// Steps run in order from an FLTK timeout, one try every 20 ms; a step that returns false is
// tried again. A script stuck 15 s on one step ends the program, since nobody else would close
// the modal window it waits in.
class GuiScript {
 public:
  GuiScript() = default;
  GuiScript(const GuiScript&) = delete;
  GuiScript& operator=(const GuiScript&) = delete;
  ~GuiScript();
  GuiScript& then(std::function<bool()> step);
  void start();
  [[nodiscard]] bool done() const { return steps_.empty(); }

 private:
  static void tick(void* script);
  static void waited(void* script);
  std::deque<std::function<bool()>> steps_;
  int tries_ = 0;
  // Whether the event loop waited since the last step: a late timer fires twice in one wait,
  // and a step must not run before the loop has handled what the one before did.
  bool loop_turned_ = true;
};

// Returns the first widget of a shown window for which wanted is true, or null.
[[nodiscard]] Fl_Widget* find_widget(const std::function<bool(Fl_Widget*)>& wanted);
[[nodiscard]] Fl_Widget* labelled(const std::string& label);
template <typename T>
[[nodiscard]] T* first_of() {
  return dynamic_cast<T*>(find_widget([](Fl_Widget* w) { return dynamic_cast<T*>(w) != nullptr; }));
}
// Runs the callback of the button labelled label if one is on screen; returns whether it did.
bool press(const std::string& label);

// Presses and releases the left mouse button over the middle of widget, through its window's
// event handling (so a widget that is not where it should be is not hit).
void click(Fl_Widget* widget);
// Clicks widget from the event loop as soon as a polling loop runs.
void click_soon(Fl_Widget* widget);

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);
// Returns the screen colour of an FLTK colour index.
[[nodiscard]] Rgb rgb_of(Fl_Color c);
// Shows w if needed and returns once it is mapped and everything pending is drawn.
void settle(Fl_Window* w);
// Returns the colour of pixel (x, y) of w, in w's coordinates, after settling it.
[[nodiscard]] Rgb pixel_at(Fl_Window* w, int x, int y);

// A rectangle of pixels, row by row from its top left corner.
struct Picture {
  int w = 0, h = 0;
  std::vector<Rgb> pixels;
  [[nodiscard]] Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};
// Returns the pixels of the rectangle (x, y, width, height) of w, in w's coordinates, after
// settling it.
[[nodiscard]] Picture picture_of(Fl_Window* w, int x, int y, int width, int height);

// A box around the ink of a run of pixel rows.
struct Ink {
  int left, right, top, bottom;
};
// Returns, from top to bottom, the runs of pixel rows of picture that hold ink right of column
// from: pixels whose channels sum below dark, unlike the same pixel of blank when one is given.
[[nodiscard]] std::vector<Ink> ink_lines(const Picture& picture, int dark,
                                         const Picture* blank = nullptr, int from = 0);
// Returns the box around all the ink of picture (pixels whose channels sum below dark); one with
// right < left when there is none.
[[nodiscard]] Ink ink_box(const Picture& picture, int dark);

// The screen as another program sees it, through a connection of its own to the display: reading
// it neither runs this program's event loop nor sends what its FLTK connection holds back.
class ScreenReader {
 public:
  ScreenReader();
  ~ScreenReader();
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  // Covers the screen with a window of one colour that the server repaints by itself wherever a
  // window above it goes away; windows shown later are above it.
  void backdrop(const Rgb& colour);
  // Returns where the top left corner of w is on the screen, as the server has it.
  [[nodiscard]] std::pair<int, int> origin(Fl_Window* w) const;
  // Returns the pixels of the screen rectangle (x, y, width, height).
  [[nodiscard]] Picture read(int x, int y, int width, int height) const;

 private:
  struct _XDisplay* display_;
  unsigned long backdrop_ = 0;
};

// Saves the pixels of w as name.ppm in the folder named by MORVAC_SCREENSHOT_DIR, when it is set
// (the README's pictures are taken so); returns false only when the file cannot be written.
bool screenshot(Fl_Window* w, const std::string& name);

#endif  // MORVAC_TESTS_GUI_HELPERS_H
