#include "formspp/panel_window.h"

#include <FL/forms.H>
#include <unistd.h>

#include <string>

#include "formspp/console_fallback.h"
#include "formspp/message_box.h"

PanelScope::PanelScope(int w, int h) : saved_group_(Fl_Group::current()), own_window_(true) {
  // A window created while a group is open would become that group's subwindow.
  Fl_Group::current(nullptr);
  window_ = fl_bgn_form(FL_NO_BOX, w, h);
  background_ = fl_add_box(FL_FLAT_BOX, 0, 0, w, h, "");
}

PanelScope::PanelScope(Fl_Window* caller) : window_(caller), own_window_(false) {
  if (Fl_Group::current() == nullptr && caller != nullptr) {
    caller->begin();
    opened_caller_ = true;
  }
}

PanelScope::~PanelScope() {
  // The window is ended directly: the forms way of ending a form would turn every y coordinate
  // upside down and also close groups the caller left open.
  if (own_window_) {
    window_->end();
    Fl_Group::current(saved_group_);
  } else if (opened_caller_) {
    window_->end();
  }
}

Fl_Button* add_panel_button(int x, int y, int w, int h, const char* label) {
  Fl_Button* button = fl_add_button(FL_NORMAL_BUTTON, x, y, w, h, label);
  button->labelfont(FL_TIMES);
  button->labelsize(10);
  return button;
}

Fl_Widget* add_panel_text(int x, int y, const char* label) {
  return fl_add_text(FL_NO_BOX, x, y, 40, 20, label);
}

void show_panel_window(Fl_Window* form, const char* title, const char* headless) {
  if (!formspp_display_available()) {
    const std::string name = title != nullptr && *title != '\0' ? title : "simulator panel";
    formspp_write_console_line(name + ": no display, " + headless);
    return;
  }
  // Showing a window closes whatever group is open; the caller's stays open.
  Fl_Group* caller_group = Fl_Group::current();
  fl_show_form(form, FL_PLACE_MOUSE, FL_TRANSIENT, title);
  Fl_Group::current(caller_group);
  if (title != nullptr) form->copy_label(title);
}

bool panel_closed(Fl_Window* form) {
  return form == nullptr || !form->shown();
}

void panel_pause() {
  usleep(1000);
}
