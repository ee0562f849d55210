// Helpers of the panel tests that open windows: letting a window draw, pressing buttons the way
// the mouse does, and reading back the window's pixels.
#ifndef MORVAC_TESTS_PANELS_GUI_SUPPORT_H
#define MORVAC_TESTS_PANELS_GUI_SUPPORT_H

#include <FL/Enumerations.H>

#include <ostream>
#include <string>

class Fl_Widget;
class Fl_Window;

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

// Presses and releases the left mouse button over the middle of widget, through its window's
// event handling (so a widget that is not where it should be is not hit).
void click(Fl_Widget* widget);

// Clicks widget from the event loop as soon as a polling loop runs.
void click_soon(Fl_Widget* widget);

// Writes the pixels of w to a binary PPM file; returns false if it cannot be written.
[[nodiscard]] bool save_ppm(Fl_Window* w, const std::string& path);

#endif  // MORVAC_TESTS_PANELS_GUI_SUPPORT_H
