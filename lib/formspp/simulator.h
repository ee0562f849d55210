// Simulator panels of formspp; included by formspp.h.
//
// Two panels let a step-by-step simulator of a reactive program talk to its user.
// OFD_simulator_input lists the input signals twice: on the left to mark the signals present in
// the next step, on the right to mark them "Sticky" (kept present from step to step), with the
// buttons "GO", "INIT" and "QUIT". OFD_simulator_output lists the output signals a page at a time,
// each beside a lamp: blue for state 1, yellow for state 0, red for any other state (unknown).
//
// Each panel is either a window of its own, shown at once at the mouse position, or a group of
// widgets at a horizontal offset in a window that the caller owns and shows. Everything runs on
// the FLTK thread; the polling calls pause 1000 microseconds per pass. A panel whose window is
// not shown (never shown, or closed by the user) answers its polls as if "QUIT" were pressed, so
// a simulator never waits on a window that nobody can see.
//
// Without a display the panels are built all the same and never shown. A panel in a window of
// its own writes one line to standard output instead: "Inputs Pannel: no display, every step
// answers QUIT", or its title followed by ": no display, the outputs and their states are kept,
// not shown". The input panel then answers every poll with QUIT; the output panel keeps its
// outputs, their states and its page. An embedded panel writes nothing (its caller's window
// cannot be shown either) and behaves the same way.
#ifndef MORVAC_FORMSPP_SIMULATOR_H
#define MORVAC_FORMSPP_SIMULATOR_H

#include <list>
#include <string>

class Fl_Box;
class Fl_Browser;
class Fl_Button;
class Fl_Check_Browser;
class Fl_Widget;
class Fl_Window;

// Input panel: input i (from 1) is line i of both check browsers and element i of names.
class OFD_simulator_input {
 public:
  // Builds the panel in a window of its own, 400 wide and h high, titled "Inputs Pannel", and
  // shows it at the mouse position.
  explicit OFD_simulator_input(int h);
  // Builds the panel at horizontal offset x in the group open in w (or in w itself when no group
  // is open); shows nothing.
  OFD_simulator_input(Fl_Window* w, int x, int h);
  // Hides form: for an embedded panel that is the caller's window. A window of its own is also
  // deleted with its widgets.
  ~OFD_simulator_input();
  OFD_simulator_input(const OFD_simulator_input&) = delete;
  OFD_simulator_input& operator=(const OFD_simulator_input&) = delete;

  // Appends an input, unchecked in both lists.
  void add(const std::string& name);
  // Waits for "GO", "INIT" or "QUIT". QUIT: *quit = 1, *init and values untouched. INIT:
  // *quit = 0, *init = 1, every signal mark cleared. GO: *quit = 0, *init = 0, values[i - 1] = 1
  // or 0 after the mark of input i; then the marks of the inputs that are not sticky are cleared.
  // values must hold count ints.
  void check(int* init, int* quit, int* values);
  // Polls once without waiting: *quit = 1 if "QUIT" was pressed; else *quit = 0 and the signal
  // marks are set after values (non-zero checks input i + 1).
  void eval(int* quit, int* values);

  Fl_Window* form = nullptr;
  Fl_Button* quit_button = nullptr;
  Fl_Button* go_button = nullptr;
  Fl_Button* init_button = nullptr;
  Fl_Check_Browser* signal_browser = nullptr;
  Fl_Check_Browser* sticky_browser = nullptr;
  std::list<std::string> names;
  int count = 0;

 private:
  void build(int x, int h);
  bool own_window_ = false;
};

// Output panel: per_page outputs per page, (h - 85) / 16 of them; heights below 101 leave no
// room for a single output (a message on standard error says so, and nothing is ever listed).
// The lamps stand 16 pixels apart in a window of its own and 17 embedded, and the rows of the
// list of names are exactly as high, so each lamp stays beside its own name.
class OFD_simulator_output {
 public:
  // Most lamps a panel can hold.
  static constexpr int max_lamps = 32768;

  // Builds the panel in a window of its own, 240 wide and h high, titled title, and shows it at
  // the mouse position.
  OFD_simulator_output(int h, const char* title);
  // Builds the panel at horizontal offset x in the group open in w (or in w itself when no group
  // is open), with label shown as a text above the list; shows nothing.
  OFD_simulator_output(Fl_Window* w, int x, int h, const char* label);
  // Releases the names and states and hides form: for an embedded panel that is the caller's
  // window. A window of its own is also deleted with its widgets.
  ~OFD_simulator_output();
  OFD_simulator_output(const OFD_simulator_output&) = delete;
  OFD_simulator_output& operator=(const OFD_simulator_output&) = delete;

  // Appends an output in state 2 (red lamp); moves on by one page when the new output does not
  // fit on the page shown.
  void add(const std::string& name);
  // Shows the next page; stays on the last one.
  void next_page();
  // Shows the previous page; stays on page 0.
  void previous_page();
  // Takes the states of all outputs (values[0 .. count - 1], in the order of addition) and
  // recolours the visible lamps; a null values is ignored.
  void eval(int* values);
  // Does nothing: the buttons act through their callbacks.
  void check() {}
  // Returns the "+" (next page) button.
  [[nodiscard]] Fl_Button* my_plus_button() const { return plus_button; }
  // Returns the "-" (previous page) button.
  [[nodiscard]] Fl_Button* my_moins_button() const { return moins_button; }
  // Recolours lamp i of the page after its output's state; redraws it only if its colour
  // changes. Lamps without an output on the page are left alone.
  void internal_colorise(int i);

  Fl_Window* form = nullptr;
  int x_offset = 0;
  std::string* names_array = nullptr;
  int count = 0;
  int page = 0;
  int per_page = 0;
  std::list<std::string> names;
  Fl_Box* lamps[max_lamps] = {};
  Fl_Browser* browser = nullptr;
  Fl_Button* plus_button = nullptr;
  Fl_Button* moins_button = nullptr;
  int* states = nullptr;

 private:
  void build(int h, bool embedded);
  void hide_lamps();
  void fill_page();
  [[nodiscard]] int last_page() const;
  bool own_window_ = false;
};

// Callback of the "+" button: panel is the OFD_simulator_output; shows its next page.
void OFD_simulator_output_callback_plus(Fl_Widget* button, void* panel);
// Callback of the "-" button: panel is the OFD_simulator_output; shows its previous page.
void OFD_simulator_output_callback_moins(Fl_Widget* button, void* panel);

#endif  // MORVAC_FORMSPP_SIMULATOR_H
