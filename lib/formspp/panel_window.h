// Private helpers of the simulator panels: where a panel's widgets go, how its buttons look, and
// how its polling loops tell that nobody can press a button any more.
#ifndef MORVAC_FORMSPP_PANEL_WINDOW_H
#define MORVAC_FORMSPP_PANEL_WINDOW_H

class Fl_Box;
class Fl_Button;
class Fl_Group;
class Fl_Widget;
class Fl_Window;

// Opens the place where a panel's widgets are created and closes it at the end of its scope.
class PanelScope {
 public:
  // A new top-level window w x h with a flat background box, even if the caller has a group
  // open (that group is open again afterwards).
  PanelScope(int w, int h);
  // The caller's window: its open group, or caller itself when no group is open (then closed
  // again afterwards).
  explicit PanelScope(Fl_Window* caller);
  ~PanelScope();
  PanelScope(const PanelScope&) = delete;
  PanelScope& operator=(const PanelScope&) = delete;

  // Returns the window the widgets belong to (null for an embedded panel without a window).
  [[nodiscard]] Fl_Window* window() const { return window_; }

 private:
  Fl_Window* window_;
  Fl_Box* background_ = nullptr;  // owned by window_
  Fl_Group* saved_group_ = nullptr;
  bool own_window_;
  bool opened_caller_ = false;
};

// Returns a new button of the panels' look: label font FL_TIMES at size 10.
[[nodiscard]] Fl_Button* add_panel_button(int x, int y, int w, int h, const char* label);

// Returns a new forms text object without box, 40 x 20 at x, y, showing label (not copied).
Fl_Widget* add_panel_text(int x, int y, const char* label);

// Shows a panel's own window at the mouse position with a transient border; the window keeps its
// own copy of title, and a group the caller has open stays open. Without a display the window
// stays hidden and standard output gets the line: title, ": no display, " and headless.
void show_panel_window(Fl_Window* form, const char* title, const char* headless);

// Returns true when form is null or not shown, so no button of it can be pressed.
[[nodiscard]] bool panel_closed(Fl_Window* form);

// Pauses between two polls of the event queue (1000 microseconds).
void panel_pause();

#endif  // MORVAC_FORMSPP_PANEL_WINDOW_H
