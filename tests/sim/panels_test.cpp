// morvac-sim on the simulator panels, in real windows: GO with the inputs marked (one of them
// sticky), the lamps read back from the screen, an instant refused in a message box, INIT and
// QUIT. With MORVAC_SCREENSHOT_DIR set, it saves the README's picture of the panels there.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include <sstream>
#include <string>
#include <vector>

#include "gui_helpers.h"
#include "panels.h"
#include "support/gui_test.h"

namespace {

const char* const kWatch =
    "module WATCH:\n"
    "input SECOND, RESET;\n"
    "output ALARM, TICKED;\n"
    "relation SECOND # RESET;\n"
    "\n"
    "loop\n"
    "  abort await 3 SECOND; emit ALARM when RESET\n"
    "end loop\n"
    "||\n"
    "every SECOND do emit TICKED end\n"
    "end module\n";

Fl_Window* window_titled(const std::string& title) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && title == w->label()) return w;
  }
  return nullptr;
}

// The check browsers of the input panel: the marks for the next instant, then the sticky ones.
Fl_Check_Browser* marks(int which) {
  Fl_Check_Browser* found[2] = {};
  int n = 0;
  (void)find_widget([&](Fl_Widget* w) {
    auto* list = dynamic_cast<Fl_Check_Browser*>(w);
    if (list != nullptr && n < 2) found[n++] = list;
    return false;
  });
  return found[which];
}

// The colours of the lamps of the output panel, at 400 in the window: line i (from 0) has its
// lamp at (407, 34 + 17 i), 10 by 12 pixels.
std::vector<Rgb> lamps(int count) {
  std::vector<Rgb> colours;
  Fl_Window* window = window_titled("morvac-sim: WATCH");
  for (int i = 0; i < count; ++i) colours.push_back(pixel_at(window, 412, 40 + 17 * i));
  return colours;
}

TEST(SimPanels, GoRunsTheMarkedInputsAndTheLampsShowWhatWasEmitted) {
  REQUIRE_DISPLAY();
  const sim::ProgramFiles program = sim::read_program_files({{"watch.strl", kWatch}}, "");
  ASSERT_TRUE(program.program.has_value());
  const Rgb red = rgb_of(FL_RED), blue = rgb_of(FL_BLUE), yellow = rgb_of(FL_YELLOW);
  const std::string refused =
      "watch.strl:4:10: error: instant 4: the inputs SECOND and RESET, present together, break "
      "the relation SECOND # RESET";
  // What the lamps of ALARM and TICKED show after each step.
  std::vector<std::vector<Rgb>> seen;
  const auto go = [] { return press("GO"); };
  const auto look = [&] {
    seen.push_back(lamps(2));
    return true;
  };
  GuiScript script;
  script.then([] { return window_titled("morvac-sim: WATCH") != nullptr; })
      .then(look)
      .then([] {
        marks(0)->checked(1, 1);  // SECOND, and sticky: kept for the next instants
        marks(1)->checked(1, 1);
        return true;
      })
      .then(go)
      .then(look)
      .then(go)
      .then(look)
      .then(go)
      .then(look)
      .then([] {
        marks(0)->checked(2, 1);  // RESET with SECOND: the relation refuses the instant
        return press("GO");
      })
      .then([&] { return labelled(refused) != nullptr && press("Close"); })
      .then(look)
      .then(go)  // SECOND again, without RESET: the instant 4 runs, the count goes on
      .then([&] {
        EXPECT_TRUE(screenshot(window_titled("morvac-sim: WATCH"), "morvac_sim_panels"));
        return look();
      })
      .then([] { return press("INIT"); })
      .then(look)
      .then([] {
        marks(0)->checked(1, 1);  // SECOND in the first instant of the program started again
        return press("GO");
      })
      .then(look)
      .then([] { return press("QUIT"); });
  script.start();
  std::ostringstream err;
  EXPECT_EQ(sim::run_on_panels(program, err), 0);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(err.str(), refused + "\n");
  const std::vector<std::vector<Rgb>> expected = {
      {red, red},        // before the first instant
      {yellow, yellow},  // instant 1: SECOND, not looked at yet
      {yellow, blue},    // instant 2: TICKED
      {yellow, blue},    // instant 3: TICKED
      {yellow, blue},    // refused: the lamps of instant 3 stay
      {blue, blue},      // instant 4: the third SECOND, ALARM
      {red, red},        // INIT
      {yellow, yellow},  // instant 1 again: SECOND, not looked at yet
  };
  EXPECT_EQ(seen, expected);
}

}  // namespace
