#include <FL/Fl_Check_Browser.H>
#include <FL/forms.H>

#include <algorithm>

#include "formspp/panel_window.h"
#include "formspp/simulator.h"

namespace {

constexpr int kInputPanelWidth = 400;

}  // namespace

OFD_simulator_input::OFD_simulator_input(int h) : own_window_(true) {
  {
    const PanelScope scope(kInputPanelWidth, h);
    form = scope.window();
    build(0, h);
  }
  // Without a display the window is never shown, so every poll answers QUIT.
  show_panel_window(form, "Inputs Pannel", "every step answers QUIT");
}

OFD_simulator_input::OFD_simulator_input(Fl_Window* w, int x, int h) {
  const PanelScope scope(w);
  form = w;
  build(x, h);
}

OFD_simulator_input::~OFD_simulator_input() {
  if (form == nullptr) return;
  fl_hide_form(form);
  if (own_window_) delete form;
}

void OFD_simulator_input::build(int x, int h) {
  add_panel_text(x + 80, 10, "Signal");
  add_panel_text(x + 280, 10, "Sticky");
  const int list_height = std::max(0, h - 70);
  signal_browser = new Fl_Check_Browser(x + 10, 30, 180, list_height);
  signal_browser->type(FL_MULTI_BROWSER);
  sticky_browser = new Fl_Check_Browser(x + 210, 30, 180, list_height);
  sticky_browser->type(FL_MULTI_BROWSER);
  go_button = add_panel_button(x + 180, h - 30, 60, 20, "GO");
  init_button = add_panel_button(x + 10, h - 30, 60, 20, "INIT");
  quit_button = add_panel_button(x + 330, h - 30, 60, 20, "QUIT");
}

void OFD_simulator_input::add(const std::string& name) {
  names.push_back(name);
  ++count;
  signal_browser->add(name.c_str(), 0);
  sticky_browser->add(name.c_str(), 0);
}

void OFD_simulator_input::check(int* init, int* quit, int* values) {
  bool answered = false;
  while (!answered) {
    Fl::check();
    const Fl_Widget* pressed = Fl::readqueue();
    answered = true;
    if (pressed == quit_button || panel_closed(form)) {
      *quit = 1;
    } else if (pressed == init_button) {
      *quit = 0;
      *init = 1;
      signal_browser->check_none();
    } else if (pressed == go_button) {
      *quit = 0;
      *init = 0;
      for (int i = 1; i <= count; ++i) {
        values[i - 1] = signal_browser->checked(i) != 0 ? 1 : 0;
        if (sticky_browser->checked(i) == 0) signal_browser->checked(i, 0);
      }
    } else {
      answered = false;
    }
    panel_pause();
  }
}

void OFD_simulator_input::eval(int* quit, int* values) {
  Fl::check();
  const Fl_Widget* pressed = Fl::readqueue();
  if (pressed == quit_button || panel_closed(form)) {
    *quit = 1;
  } else {
    *quit = 0;
    for (int i = 1; i <= count; ++i) signal_browser->checked(i, values[i - 1] != 0 ? 1 : 0);
  }
  panel_pause();
}
