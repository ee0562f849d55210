// The input panel in real windows: its layout, and check and eval driven through its buttons.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include <array>
#include <memory>
#include <tuple>

#include "formspp.h"
#include "gui_helpers.h"
#include "support/gui_test.h"

namespace {

using Marks = std::array<int, 3>;

Marks marks(const Fl_Check_Browser* list) {
  return {list->checked(1), list->checked(2), list->checked(3)};
}

TEST(SimulatorInput, LayoutInItsOwnWindowAndEmbedded) {
  REQUIRE_DISPLAY();
  auto caller = std::make_unique<Fl_Window>(700, 250);  // its group stays open meanwhile
  const OFD_simulator_input own(300);
  EXPECT_EQ(own.form->parent(), nullptr);
  EXPECT_EQ(Fl_Group::current(), caller.get());
  EXPECT_STREQ(own.form->label(), "Inputs Pannel");
  const OFD_simulator_input embedded(caller.get(), 300, 250);
  caller->end();
  EXPECT_EQ(embedded.go_button->parent(), caller.get());
  struct {
    const Fl_Widget* widget;
    int x, y, w, h;
  } const boxes[] = {
      {own.form, own.form->x(), own.form->y(), 400, 300},
      {own.signal_browser, 10, 30, 180, 230},
      {own.sticky_browser, 210, 30, 180, 230},
      {own.go_button, 180, 270, 60, 20},
      {own.init_button, 10, 270, 60, 20},
      {own.quit_button, 330, 270, 60, 20},
      {embedded.signal_browser, 310, 30, 180, 180},
      {embedded.sticky_browser, 510, 30, 180, 180},
      {embedded.go_button, 480, 220, 60, 20},
      {embedded.init_button, 310, 220, 60, 20},
      {embedded.quit_button, 630, 220, 60, 20},
  };
  for (const auto& b : boxes) {
    const auto where = ::testing::Message() << "widget " << (&b - boxes);
    EXPECT_EQ(b.widget->x(), b.x) << where;
    EXPECT_EQ(b.widget->y(), b.y) << where;
    EXPECT_EQ(b.widget->w(), b.w) << where;
    EXPECT_EQ(b.widget->h(), b.h) << where;
  }
  EXPECT_EQ(own.go_button->labelfont(), FL_TIMES);
  EXPECT_EQ(own.go_button->labelsize(), 10);
}

TEST(SimulatorInput, CheckAndEvalThroughItsButtons) {
  REQUIRE_DISPLAY();
  OFD_simulator_input panel(220);
  for (const char* name : {"S", "R", "TICK"}) panel.add(name);
  EXPECT_EQ(panel.count, 3);
  EXPECT_EQ(panel.names, (std::list<std::string>{"S", "R", "TICK"}));
  settle(panel.form);
  panel.signal_browser->checked(1, 1);
  panel.signal_browser->checked(2, 1);
  panel.sticky_browser->checked(2, 1);
  panel.sticky_browser->checked(3, 1);
  EXPECT_TRUE(screenshot(panel.form, "simulator_input"));

  // Presses button (or closes the window when null) while check waits, init and values as given
  // before; returns quit, init, the values, then the marks of both lists.
  const auto check = [&](Fl_Widget* button, int init, Marks values) {
    int quit = -1;
    if (button != nullptr) {
      click_soon(button);
    } else {
      Fl::add_timeout(
          0.0, [](void* window) { static_cast<Fl_Window*>(window)->hide(); }, panel.form);
    }
    panel.check(&init, &quit, values.data());
    return std::tuple{quit, init, values, marks(panel.signal_browser), marks(panel.sticky_browser)};
  };
  const Marks unset{-1, -1, -1}, sticky{0, 1, 1}, none{0, 0, 0};
  // GO: the marks are the values; only the sticky ones stay for the next instant.
  EXPECT_EQ(check(panel.go_button, -1, unset),
            std::tuple(0, 0, Marks{1, 1, 0}, Marks{0, 1, 0}, sticky));
  EXPECT_EQ(check(panel.go_button, -1, unset),
            std::tuple(0, 0, Marks{0, 1, 0}, Marks{0, 1, 0}, sticky));
  // INIT clears the signals, not the sticky marks, and leaves the values alone; so does QUIT.
  EXPECT_EQ(check(panel.init_button, -1, unset), std::tuple(0, 1, unset, none, sticky));
  EXPECT_EQ(check(panel.quit_button, 5, unset), std::tuple(1, 5, unset, none, sticky));

  // eval shows the values as marks, unless QUIT was pressed.
  int quit = -1;
  Marks values{0, 5, 1};
  panel.eval(&quit, values.data());
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(marks(panel.signal_browser), (Marks{0, 1, 1}));
  click(panel.quit_button);
  values = {1, 1, 1};
  panel.eval(&quit, values.data());
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(marks(panel.signal_browser), (Marks{0, 1, 1}));

  // Closing the window counts as QUIT.
  EXPECT_EQ(std::get<0>(check(nullptr, 0, unset)), 1);
}

}  // namespace
