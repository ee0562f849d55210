#include <FL/Fl_Browser.H>
#include <FL/forms.H>

#include <algorithm>
#include <cstdio>

#include "formspp/literal_label.h"
#include "formspp/panel_window.h"
#include "formspp/simulator.h"
#include "formspp/text_lines.h"

namespace {

constexpr int kOutputPanelWidth = 240;
constexpr int kUnknownState = 2;

// Returns the lamp colour of an output state: blue for 1, yellow for 0, red for anything else.
Fl_Color lamp_colour(int state) {
  if (state == 1) return FL_BLUE;
  if (state == 0) return FL_YELLOW;
  return FL_RED;
}

// Returns how many outputs fit on a page of a panel h high, with a message when none fits or
// when more would fit than the panel has lamps.
int outputs_per_page(int h) {
  const int fit = (h - 85) / 16;
  if (fit < 1) {
    std::fprintf(stderr,
                 "OFD_simulator_output: a panel %d high has no room for an output "
                 "(at least 101 is needed)\n",
                 h);
    return 0;
  }
  if (fit > OFD_simulator_output::max_lamps) {
    std::fprintf(stderr, "OFD_simulator_output: a panel %d high shows only %d outputs per page\n",
                 h, OFD_simulator_output::max_lamps);
    return OFD_simulator_output::max_lamps;
  }
  return fit;
}

// The list of names: every row exactly as high as the lamps are apart, whatever the font's height,
// so that each lamp stays beside its own name down to the last row of a page.
class LampRowBrowser : public Fl_Browser {
 public:
  LampRowBrowser(int x, int y, int w, int h, int row) : Fl_Browser(x, y, w, h), row_(row) {}

 protected:
  int item_height(void* /*item*/) const override { return row_; }

 private:
  int row_;
};

}  // namespace

OFD_simulator_output::OFD_simulator_output(int h, const char* title) : own_window_(true) {
  {
    const PanelScope scope(kOutputPanelWidth, h);
    form = scope.window();
    build(h, false);
  }
  show_panel_window(form, title, "the outputs and their states are kept, not shown");
}

OFD_simulator_output::OFD_simulator_output(Fl_Window* w, int x, int h, const char* label)
    : x_offset(x) {
  const PanelScope scope(w);
  form = w;
  Fl_Widget* text = add_panel_text(x + 80, 10, nullptr);
  text->copy_label(label);
  formspp_use_literal_label(text);
  build(h, true);
}

OFD_simulator_output::~OFD_simulator_output() {
  if (count > 0) {
    delete[] names_array;
    delete[] states;
  }
  if (form == nullptr) return;
  fl_hide_form(form);
  if (own_window_) delete form;
}

void OFD_simulator_output::build(int h, bool embedded) {
  const int x = x_offset;
  per_page = outputs_per_page(h);
  plus_button = add_panel_button(embedded ? x + 150 : 70, h - 30, 20, 20, "+");
  plus_button->callback(OFD_simulator_output_callback_plus, this);
  moins_button = add_panel_button(embedded ? x + 70 : 30, h - 30, 20, 20, "-");
  moins_button->callback(OFD_simulator_output_callback_moins, this);
  const int spacing = embedded ? 17 : 16;
  browser = new LampRowBrowser(x + 20, 30, 198, std::max(0, h - 68), spacing);
  browser->type(FL_NORMAL_BROWSER);
  for (int i = 0; i < per_page; ++i) {
    Fl_Box* lamp = fl_add_box(FL_FLAT_BOX, x + 7, spacing * i + 34, 10, 12, "");
    lamp->labelfont(FL_TIMES);
    lamp->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    lamp->selection_color(embedded ? FL_RED : FL_WHITE);
    lamp->hide();
    lamps[i] = lamp;
  }
}

int OFD_simulator_output::last_page() const {
  return per_page > 0 ? (count - 1) / per_page : 0;
}

void OFD_simulator_output::hide_lamps() {
  for (int i = 0; i < per_page; ++i) lamps[i]->hide();
}

void OFD_simulator_output::fill_page() {
  fl_clear_browser(browser);
  for (int i = 0; i < per_page; ++i) {
    const int k = page * per_page + i;
    if (k >= count) break;
    const std::string line = formspp_literal_browser_line(names_array[k], browser->format_char());
    fl_add_browser_line(browser, line.c_str());
    lamps[i]->color(lamp_colour(states[k]), FL_BLACK);
    lamps[i]->show();
  }
}

void OFD_simulator_output::add(const std::string& name) {
  names.push_back(name);
  auto* grown_names = new std::string[count + 1];
  auto* grown_states = new int[count + 1];
  std::copy(names_array, names_array + count, grown_names);
  std::copy(states, states + count, grown_states);
  delete[] names_array;
  delete[] states;
  names_array = grown_names;
  states = grown_states;
  names_array[count] = name;
  states[count] = kUnknownState;
  ++count;
  hide_lamps();
  if (last_page() > page) ++page;
  fill_page();
}

void OFD_simulator_output::next_page() {
  hide_lamps();
  if (last_page() > page) ++page;
  fill_page();
}

void OFD_simulator_output::previous_page() {
  hide_lamps();
  if (page > 0) --page;
  fill_page();
}

void OFD_simulator_output::eval(int* values) {
  if (values == nullptr) return;
  std::copy(values, values + count, states);
  for (int i = 0; i < per_page; ++i) {
    if (lamps[i]->visible_r()) internal_colorise(i);
  }
}

void OFD_simulator_output::internal_colorise(int i) {
  const int k = page * per_page + i;
  if (i < 0 || i >= per_page || k >= count) return;
  const Fl_Color wanted = lamp_colour(states[k]);
  if (lamps[i]->color() == wanted) return;
  lamps[i]->color(wanted, FL_BLACK);
  lamps[i]->redraw();
}

void OFD_simulator_output_callback_plus(Fl_Widget* /*button*/, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->next_page();
}

void OFD_simulator_output_callback_moins(Fl_Widget* /*button*/, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->previous_page();
}
