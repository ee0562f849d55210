// The drawing sheet in a real window: what each primitive leaves on the screen's pixels.
// Before FLTK's drawing header, whose Xlib macros (None) would break gtest's declarations.
#include <gtest/gtest.h>

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "formspp.h"
#include "gui_helpers.h"
#include "support/gui_test.h"

namespace {

// A white widget that runs a drawing function in its draw().
class Canvas : public Fl_Widget {
 public:
  Canvas(int w, int h) : Fl_Widget(0, 0, w, h) {}
  void paint(std::function<void()> f) {
    paint_ = std::move(f);
    redraw();
  }
  Fl_Color colour_after = FL_WHITE;  // current colour once the drawing ran

 protected:
  void draw() override {
    fl_color(FL_WHITE);
    fl_rectf(x(), y(), w(), h());
    if (paint_) paint_();
    colour_after = fl_color();
  }

 private:
  std::function<void()> paint_;
};

struct Pixel {
  int x, y;
  Fl_Color colour;
};

TEST(VisionSheet, WhatThePrimitivesLeaveOnScreen) {
  REQUIRE_DISPLAY();
  OFL_vision_sheet clipped;
  clipped.define(10, 20, 100, 50, FL_GREEN);  // from (10, 20) to (110, 70), edges excluded
  const OFL_vision_sheet free_sheet;
  OFL_vision_sheet readme;
  readme.define(20, 20, 280, 160, FL_BLACK);
  struct {
    const char* what;
    std::function<void()> paint;
    std::vector<Pixel> pixels;
  } const drawings[] = {
      {"line clipped to (10, 20)-(110, 70)",
       [&] { clipped.ofl_line(0, 0, 200, 200, FL_RED); },
       {{30, 30, FL_RED},
        {69, 69, FL_RED},
        {15, 15, FL_WHITE},
        {70, 70, FL_WHITE},
        {90, 90, FL_WHITE}}},
      {"the same line on a new sheet",
       [&] { free_sheet.ofl_line(0, 0, 200, 200, FL_RED); },
       {{15, 15, FL_RED}, {70, 70, FL_RED}, {90, 90, FL_RED}}},
      {"sector with its apex at the end of (20, 150)-(120, 150)",
       [&] { free_sheet.ofl_arrowbound(20, 150, 120, 150, FL_BLUE); },
       {{110, 150, FL_BLUE}, {60, 150, FL_BLUE}, {125, 150, FL_WHITE}, {60, 120, FL_WHITE}}},
      {"zigzag through (30, 120) and (50, 80)",
       [&] { free_sheet.ofl_break_line(20, 100, 60, 100, FL_RED); },
       {{30, 120, FL_RED}, {50, 80, FL_RED}, {40, 100, FL_RED}, {20, 110, FL_WHITE}}},
      {"framed rectangle",
       [&] { free_sheet.ofl_rectbound(40, 40, 30, 20, FL_YELLOW); },
       {{50, 50, FL_YELLOW}, {40, 40, FL_BLACK}, {69, 59, FL_BLACK}, {71, 50, FL_WHITE}}},
      {"free helpers: framed rectangle and line",
       [] {
         int x = 40, y = 40, w = 30, h = 20;
         Fl_Color yellow = FL_YELLOW;
         fl_rectbound(x, y, w, h, yellow);
         fl_rectbound(150, 40, 20, 20, static_cast<int>(FL_GREEN));
         fl_line(100, 10, 100, 60, FL_RED);
       },
       {{50, 50, FL_YELLOW}, {40, 40, FL_BLACK}, {160, 50, FL_GREEN}, {100, 30, FL_RED}}},
      // Last, so that it stays on screen for the README's picture: a line leaving the sheet,
      // dashes, a zigzag, an arrow, a sector, a circle, a rectangle and a text cut at the edge.
      {"the README's sheet",
       [&] {
         readme.ofl_line(0, 200, 320, 0, FL_RED);
         readme.ofl_dash_line(30, 170, 290, 170, FL_DARK_BLUE);
         readme.ofl_break_line(40, 60, 120, 60, FL_DARK_GREEN);
         readme.ofl_drw_arrow_line(150, 140, 220, 90, 12, 0.4, FL_BLACK);
         readme.ofl_arrowbound(200, 40, 280, 40, FL_BLUE);
         readme.ofl_circbound(40, 110, 40, FL_YELLOW);
         readme.ofl_rectbound(100, 100, 40, 30, FL_CYAN);
         readme.ofl_drw_String(FL_ALIGN_LEFT | FL_ALIGN_INSIDE, 230, 150, 120, 20, FL_BLACK,
                               FL_HELVETICA, 14, "clipped text");
         fl_color(FL_DARK3);
         fl_rect(19, 19, 282, 162);
       },
       {{160, 100, FL_RED},
        {8, 195, FL_WHITE},
        {312, 5, FL_WHITE},
        {30, 170, FL_DARK_BLUE},
        {185, 115, FL_BLACK},
        {60, 130, FL_YELLOW},
        {60, 110, FL_BLACK},
        {120, 115, FL_CYAN}}},
  };
  Fl_Window window(320, 200);
  Canvas canvas(320, 200);
  window.end();
  for (const auto& d : drawings) {
    canvas.paint(d.paint);
    for (const Pixel& p : d.pixels) {
      EXPECT_EQ(pixel_at(&window, p.x, p.y), rgb_of(p.colour))
          << d.what << " at " << p.x << ", " << p.y;
    }
  }
  EXPECT_TRUE(screenshot(&window, "sheet"));
  canvas.paint([&] { free_sheet.ofl_arrowbound(20, 150, 120, 150, FL_BLUE); });
  settle(&window);
  EXPECT_EQ(canvas.colour_after, FL_BLACK);
}

}  // namespace
