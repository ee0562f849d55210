// The drawing sheet in a real window: what each primitive leaves on the screen's pixels (the
// cases of sheet.tsv).
// Before FLTK's drawing header, whose Xlib macros (None) would break gtest's declarations.
#include <gtest/gtest.h>

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "case_table.h"
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

TEST(VisionSheet, WhatThePrimitivesLeaveOnScreen) {
  REQUIRE_DISPLAY();
  OFL_vision_sheet clipped;
  clipped.define(10, 20, 100, 50, FL_GREEN);  // from (10, 20) to (110, 70), edges excluded
  const OFL_vision_sheet free_sheet;
  OFL_vision_sheet readme;
  readme.define(20, 20, 280, 160, FL_BLACK);
  const std::map<std::string, std::function<void()>> drawings = {
      {"clipped_line", [&] { clipped.ofl_line(0, 0, 200, 200, FL_RED); }},
      {"free_line", [&] { free_sheet.ofl_line(0, 0, 200, 200, FL_RED); }},
      {"sector", [&] { free_sheet.ofl_arrowbound(20, 150, 120, 150, FL_BLUE); }},
      {"zigzag", [&] { free_sheet.ofl_break_line(20, 100, 60, 100, FL_RED); }},
      {"rectangle", [&] { free_sheet.ofl_rectbound(40, 40, 30, 20, FL_YELLOW); }},
      {"free_helpers",
       [] {
         int x = 40, y = 40, w = 30, h = 20;
         Fl_Color yellow = FL_YELLOW;
         fl_rectbound(x, y, w, h, yellow);
         fl_rectbound(150, 40, 20, 20, static_cast<int>(FL_GREEN));
         fl_line(100, 10, 100, 60, FL_RED);
       }},
      {"readme",
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
       }},
  };
  const std::map<std::string, Fl_Color> colours = {
      {"black", FL_BLACK}, {"blue", FL_BLUE}, {"cyan", FL_CYAN},   {"dark_blue", FL_DARK_BLUE},
      {"green", FL_GREEN}, {"red", FL_RED},   {"white", FL_WHITE}, {"yellow", FL_YELLOW}};
  Fl_Window window(320, 200);
  Canvas canvas(320, 200);
  window.end();
  std::string shown;  // the drawing on the canvas
  std::map<std::string, CaseFunction> pixels;
  for (const auto& drawing : drawings) {
    pixels[drawing.first] = [&, name = drawing.first](const CaseFields& a) -> CaseFields {
      if (name != shown) canvas.paint(drawings.at(name));
      shown = name;
      const Rgb pixel = pixel_at(&window, std::stoi(a[0]), std::stoi(a[1]));
      for (const auto& [colour, index] : colours) {
        if (rgb_of(index) == pixel) return {colour};
      }
      return {testing::PrintToString(pixel)};
    };
  }
  expect_cases(PANELS_CASES_DIR "/sheet.tsv", pixels);
  ASSERT_EQ(shown, "readme") << "the README's sheet, drawn last, is the picture";
  EXPECT_TRUE(screenshot(&window, "sheet"));
  canvas.paint(drawings.at("sector"));
  settle(&window);
  EXPECT_EQ(canvas.colour_after, FL_BLACK);
}

}  // namespace
