// The output panel in real windows: paging with its "+" and "-" buttons, and lamp colours read
// back from the screen.
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <memory>
#include <string>
#include <vector>

#include "formspp.h"
#include "gui_helpers.h"
#include "support/gui_test.h"

namespace {

void add_outputs(OFD_simulator_output& panel, int from, int to) {
  for (int i = from; i < to; ++i) panel.add("O" + std::to_string(i));
}

// Returns the screen colour in the middle of lamp i of the page.
Rgb lamp(const OFD_simulator_output& panel, int i) {
  const Fl_Box* box = panel.lamps[i];
  return pixel_at(panel.form, box->x() + box->w() / 2, box->y() + box->h() / 2);
}

TEST(SimulatorOutput, PagesOfTenOverTwentyFiveOutputs) {
  REQUIRE_DISPLAY();
  OFD_simulator_output panel(245, "Outputs");
  ASSERT_EQ(panel.per_page, 10);
  add_outputs(panel, 0, 11);  // the 11th does not fit on page 0: page 1 shows it alone, in red
  EXPECT_EQ(panel.page, 1);
  ASSERT_EQ(panel.browser->size(), 1);
  EXPECT_EQ(lamp(panel, 0), rgb_of(FL_RED));
  EXPECT_EQ(lamp(panel, 1), rgb_of(FL_BACKGROUND_COLOR));  // hidden
  add_outputs(panel, 11, 25);
  EXPECT_EQ(panel.page, 2);

  Fl_Button* plus = panel.my_plus_button();
  Fl_Button* moins = panel.my_moins_button();
  struct {
    Fl_Button* button;
    int page, lines;
    const char* first;
  } const steps[] = {{moins, 1, 10, "O10"}, {moins, 0, 10, "O0"}, {moins, 0, 10, "O0"},
                     {plus, 1, 10, "O10"},  {plus, 2, 5, "O20"},  {plus, 2, 5, "O20"}};
  for (const auto& s : steps) {
    click(s.button);
    EXPECT_EQ(panel.page, s.page) << s.button->label();
    ASSERT_EQ(panel.browser->size(), s.lines);
    EXPECT_STREQ(panel.browser->text(1), s.first);
    for (int i = 0; i < panel.per_page; ++i) EXPECT_EQ(panel.lamps[i]->visible() != 0, i < s.lines);
  }
}

TEST(SimulatorOutput, EvalColoursTheLampsOnScreen) {
  REQUIRE_DISPLAY();
  OFD_simulator_output panel(245, "Outputs");
  add_outputs(panel, 0, 25);
  panel.previous_page();
  panel.previous_page();
  std::vector<int> states(25);
  for (int k = 0; k < 25; ++k) states[k] = k % 3 == 0 ? 1 : k % 3 == 1 ? 0 : 7;
  panel.eval(states.data());
  const Rgb by_state[] = {rgb_of(FL_BLUE), rgb_of(FL_YELLOW), rgb_of(FL_RED)};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(lamp(panel, i), by_state[i % 3]) << "lamp " << i;
  EXPECT_TRUE(screenshot(panel.form, "simulator_output"));
  states[0] = 0;
  states[1] = 2;
  panel.eval(states.data());
  EXPECT_EQ(lamp(panel, 0), rgb_of(FL_YELLOW));
  EXPECT_EQ(lamp(panel, 1), rgb_of(FL_RED));
  EXPECT_EQ(panel.lamps[0]->selection_color(), FL_BLACK);
  panel.next_page();  // outputs 10, 11 and 12 show their stored states
  for (int i = 0; i < 3; ++i) EXPECT_EQ(lamp(panel, i), by_state[(i + 1) % 3]) << "lamp " << i;
}

TEST(SimulatorOutput, EmbeddedBesideTheInputPanel) {
  REQUIRE_DISPLAY();
  auto window = std::make_unique<Fl_Window>(640, 245);
  const OFD_simulator_input inputs(window.get(), 0, 245);
  OFD_simulator_output outputs(window.get(), 400, 245, "@-> sorties");
  window->end();
  EXPECT_EQ(outputs.my_plus_button()->x(), 550);
  EXPECT_EQ(outputs.my_moins_button()->x(), 470);
  EXPECT_EQ(outputs.my_plus_button()->y(), 215);
  EXPECT_EQ(outputs.browser->x(), 420);
  EXPECT_EQ(outputs.browser->h(), 177);
  EXPECT_EQ(outputs.lamps[9]->x(), 407);
  EXPECT_EQ(outputs.lamps[9]->y(), 17 * 9 + 34);
  EXPECT_EQ(outputs.lamps[9]->selection_color(), FL_RED);
  // Names and label are shown as written, '@' included: the label as wide as its letters.
  outputs.add("@x");
  EXPECT_STREQ(outputs.browser->text(1), "@.@x");
  const Ink ink = ink_box(picture_of(window.get(), 480, 10, 160, 20), 300);
  const Fl_Widget* label = labelled("@-> sorties");
  ASSERT_NE(label, nullptr);
  fl_font(label->labelfont(), label->labelsize());
  EXPECT_NEAR(ink.right - ink.left + 1, fl_width("@-> sorties"), 3);
}

TEST(SimulatorOutput, TooLowAPanelListsNothing) {
  REQUIRE_DISPLAY();
  OFD_simulator_output panel(100, "Low");
  EXPECT_EQ(panel.per_page, 0);
  panel.add("O");
  panel.next_page();
  EXPECT_EQ(panel.count, 1);
  EXPECT_EQ(panel.browser->size(), 0);
}

// Returns the rows of the page's names on the screen, from top to bottom: the runs of pixel rows
// that hold dark ink where the first letter of each name is drawn (an underscore further on
// would stand apart from its letters), in the window's coordinates.
std::vector<Ink> name_rows(const OFD_simulator_output& panel) {
  const Fl_Browser* list = panel.browser;
  std::vector<Ink> rows =
      ink_lines(picture_of(panel.form, list->x() + 4, list->y() + 2, 10, list->h() - 4), 300);
  for (Ink& row : rows)
    row = {row.left, row.right, row.top + list->y() + 2, row.bottom + list->y() + 2};
  return rows;
}

TEST(SimulatorOutput, EveryLampBesideItsName) {
  REQUIRE_DISPLAY();
  const struct {
    bool embedded;
    int height, outputs;
  } cases[] = {{false, 500, 25}, {false, 245, 10}, {true, 500, 25}, {true, 245, 10}};
  for (const auto& c : cases) {
    const auto where = ::testing::Message()
                       << (c.embedded ? "embedded" : "own window") << ", height " << c.height;
    auto window = std::make_unique<Fl_Window>(260, c.height);
    std::unique_ptr<OFD_simulator_output> panel;
    if (c.embedded) {
      panel = std::make_unique<OFD_simulator_output>(window.get(), 20, c.height, "Outputs");
      window->end();
      window->show();
    } else {
      window->end();
      panel = std::make_unique<OFD_simulator_output>(c.height, "Outputs");
    }
    ASSERT_EQ(panel->per_page, c.outputs) << where;
    std::vector<int> states;
    for (int k = 1; k <= c.outputs; ++k) {
      panel->add((k % 2 == 0 ? "EMITTED_" : "absent_") + std::to_string(k));
      states.push_back(k % 2 == 0 ? 1 : 0);
    }
    panel->eval(states.data());
    const auto rows = name_rows(*panel);
    ASSERT_EQ(rows.size(), static_cast<size_t>(c.outputs)) << where;
    for (int i = 0; i < c.outputs; ++i) {
      const Fl_Box* box = panel->lamps[i];
      const int middle = box->y() + box->h() / 2;
      EXPECT_TRUE(rows[i].top <= middle && middle <= rows[i].bottom)
          << where << ": lamp " << i << " at " << middle << ", its name from " << rows[i].top
          << " to " << rows[i].bottom;
      EXPECT_EQ(lamp(*panel, i), rgb_of(states[i] == 1 ? FL_BLUE : FL_YELLOW))
          << where << ": lamp " << i;
    }
    if (!c.embedded && c.height == 245) {
      EXPECT_TRUE(screenshot(panel->form, "simulator_output_10"));
    }
  }
}

}  // namespace
