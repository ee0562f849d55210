#include "formspp/message_box.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>

bool formspp_display_available() {
  // FLTK ends the process when it cannot open its display, so open it ourselves first and hand
  // the connection over. An unset DISPLAY is tested first to avoid Xlib's connection attempt.
  static const bool available = [] {
    if (fl_display) return true;
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    fl_open_display(display);
    return true;
  }();
  return available;
}
