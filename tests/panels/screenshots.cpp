// Writes the README screenshots of the simulator panels and the drawing sheet as PPM files.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/panels/panels_screenshots /tmp/shots
//   for f in simulator_input simulator_output sheet; do
//     convert /tmp/shots/$f.ppm docs/images/$f.png; done
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <string>

#include "formspp.h"
#include "gui_support.h"

namespace {

// A sheet framed in grey, with every kind of primitive; the long line leaves the sheet.
class SheetPicture : public Fl_Widget {
 public:
  SheetPicture(int w, int h) : Fl_Widget(0, 0, w, h) {}

 protected:
  void draw() override {
    fl_color(FL_WHITE);
    fl_rectf(x(), y(), w(), h());
    OFL_vision_sheet sheet;
    sheet.define(20, 20, 280, 160, FL_BLACK);
    fl_color(FL_DARK3);
    fl_rect(19, 19, 282, 162);
    sheet.ofl_line(0, 200, 320, 0, FL_RED);
    sheet.ofl_dash_line(30, 170, 290, 170, FL_DARK_BLUE);
    sheet.ofl_break_line(40, 60, 120, 60, FL_DARK_GREEN);
    sheet.ofl_drw_arrow_line(150, 140, 220, 90, 12, 0.4, FL_BLACK);
    sheet.ofl_arrowbound(200, 40, 280, 40, FL_BLUE);
    sheet.ofl_circbound(40, 110, 40, FL_YELLOW);
    sheet.ofl_rectbound(100, 100, 40, 30, FL_CYAN);
    sheet.ofl_drw_String(FL_ALIGN_LEFT | FL_ALIGN_INSIDE, 230, 150, 120, 20, FL_BLACK, FL_HELVETICA,
                         14, "clipped text");
  }
};

bool save(Fl_Window* w, const std::string& dir, const char* name) {
  const std::string path = dir + "/" + name + ".ppm";
  if (save_ppm(w, path)) return true;
  std::fprintf(stderr, "panels_screenshots: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: panels_screenshots <directory>\n");
    return 1;
  }
  if (!formspp_display_available()) {
    std::fprintf(stderr, "panels_screenshots: no display\n");
    return 1;
  }
  const std::string dir = argv[1];
  bool saved = true;
  {
    OFD_simulator_input inputs(220);
    for (const char* name : {"S", "R", "TICK"}) inputs.add(name);
    inputs.signal_browser->checked(1, 1);
    inputs.sticky_browser->checked(3, 1);
    inputs.signal_browser->checked(3, 1);
    saved = save(inputs.form, dir, "simulator_input") && saved;
  }
  {
    OFD_simulator_output outputs(245, "Outputs");
    for (const char* name : {"O", "ALARM", "READY", "DONE"}) outputs.add(name);
    int states[] = {1, 0, 2, 1};
    settle(outputs.form);
    outputs.eval(states);
    saved = save(outputs.form, dir, "simulator_output") && saved;
  }
  {
    Fl_Window window(320, 200, "Drawing sheet");
    SheetPicture picture(320, 200);
    window.end();
    saved = save(&window, dir, "sheet") && saved;
  }
  return saved ? 0 : 1;
}
