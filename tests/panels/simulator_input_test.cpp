// The input panel in real windows: its layout, and check/eval driven through its buttons.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include <array>
#include <memory>

#include "formspp.h"
#include "gui_support.h"
#include "support/gui_test.h"

namespace {

struct Box {
  const char* what;
  const Fl_Widget* widget;
  int x, y, w, h;
};

void expect_boxes(std::initializer_list<Box> boxes) {
  for (const Box& b : boxes) {
    EXPECT_EQ(b.widget->x(), b.x) << b.what;
    EXPECT_EQ(b.widget->y(), b.y) << b.what;
    EXPECT_EQ(b.widget->w(), b.w) << b.what;
    EXPECT_EQ(b.widget->h(), b.h) << b.what;
  }
}

void expect_marks(const Fl_Check_Browser* list, std::array<int, 3> marks) {
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(list->checked(i), marks[i - 1]) << "line " << i;
}

TEST(SimulatorInput, OwnWindowLayout) {
  REQUIRE_DISPLAY();
  const OFD_simulator_input panel(300);
  ASSERT_TRUE(panel.form->shown());
  EXPECT_STREQ(panel.form->label(), "Inputs Pannel");
  expect_boxes({{"window", panel.form, panel.form->x(), panel.form->y(), 400, 300},
                {"signals", panel.signal_browser, 10, 30, 180, 230},
                {"sticky", panel.sticky_browser, 210, 30, 180, 230},
                {"GO", panel.go_button, 180, 270, 60, 20},
                {"INIT", panel.init_button, 10, 270, 60, 20},
                {"QUIT", panel.quit_button, 330, 270, 60, 20}});
  EXPECT_EQ(panel.go_button->labelfont(), FL_TIMES);
  EXPECT_EQ(panel.go_button->labelsize(), 10);
}

TEST(SimulatorInput, OwnWindowStaysTopLevelWhileTheCallerHasAGroupOpen) {
  REQUIRE_DISPLAY();
  auto caller = std::make_unique<Fl_Window>(100, 100);  // left open
  {
    const OFD_simulator_input panel(150);
    EXPECT_EQ(panel.form->parent(), nullptr);
    EXPECT_EQ(Fl_Group::current(), caller.get());
  }
  caller->end();
  EXPECT_EQ(caller->children(), 0);
}

TEST(SimulatorInput, EmbeddedLayoutAtAnOffset) {
  REQUIRE_DISPLAY();
  auto window = std::make_unique<Fl_Window>(700, 250);
  const OFD_simulator_input panel(window.get(), 300, 250);
  window->end();
  EXPECT_EQ(panel.form, window.get());
  EXPECT_EQ(panel.go_button->parent(), window.get());
  expect_boxes({{"signals", panel.signal_browser, 310, 30, 180, 180},
                {"sticky", panel.sticky_browser, 510, 30, 180, 180},
                {"GO", panel.go_button, 480, 220, 60, 20},
                {"INIT", panel.init_button, 310, 220, 60, 20},
                {"QUIT", panel.quit_button, 630, 220, 60, 20}});
}

TEST(SimulatorInput, CheckThroughGoInitAndQuit) {
  REQUIRE_DISPLAY();
  OFD_simulator_input panel(200);
  for (const char* name : {"A", "B", "C"}) panel.add(name);
  EXPECT_EQ(panel.count, 3);
  EXPECT_EQ(panel.names, (std::list<std::string>{"A", "B", "C"}));
  settle(panel.form);
  panel.signal_browser->checked(1, 1);
  panel.signal_browser->checked(2, 1);
  panel.sticky_browser->checked(2, 1);
  panel.sticky_browser->checked(3, 1);

  int init = -1;
  int quit = -1;
  std::array<int, 3> values{-1, -1, -1};
  click_soon(panel.go_button);
  panel.check(&init, &quit, values.data());
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(init, 0);
  EXPECT_EQ(values, (std::array<int, 3>{1, 1, 0}));
  expect_marks(panel.signal_browser, {0, 1, 0});  // only sticky B stays present

  click_soon(panel.go_button);
  panel.check(&init, &quit, values.data());
  EXPECT_EQ(values, (std::array<int, 3>{0, 1, 0}));

  values = {-1, -1, -1};
  click_soon(panel.init_button);
  panel.check(&init, &quit, values.data());
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(init, 1);
  EXPECT_EQ(values, (std::array<int, 3>{-1, -1, -1}));
  expect_marks(panel.signal_browser, {0, 0, 0});
  expect_marks(panel.sticky_browser, {0, 1, 1});

  init = 5;
  values = {7, 7, 7};
  click_soon(panel.quit_button);
  panel.check(&init, &quit, values.data());
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(init, 5);
  EXPECT_EQ(values, (std::array<int, 3>{7, 7, 7}));
}

TEST(SimulatorInput, CheckAnswersQuitWhenTheWindowIsClosed) {
  REQUIRE_DISPLAY();
  OFD_simulator_input panel(200);
  panel.add("S");
  settle(panel.form);
  Fl::add_timeout(
      0.0, [](void* window) { static_cast<Fl_Window*>(window)->hide(); }, panel.form);
  int init = 0;
  int quit = 0;
  int value = 0;
  panel.check(&init, &quit, &value);
  EXPECT_EQ(quit, 1);
}

TEST(SimulatorInput, EvalShowsValuesUnlessQuitIsPressed) {
  REQUIRE_DISPLAY();
  OFD_simulator_input panel(200);
  for (const char* name : {"A", "B", "C"}) panel.add(name);
  settle(panel.form);
  int quit = -1;
  std::array<int, 3> values{0, 5, 1};
  panel.eval(&quit, values.data());
  EXPECT_EQ(quit, 0);
  expect_marks(panel.signal_browser, {0, 1, 1});

  click(panel.quit_button);
  values = {1, 1, 1};
  panel.eval(&quit, values.data());
  EXPECT_EQ(quit, 1);
  expect_marks(panel.signal_browser, {0, 1, 1});
}

}  // namespace
