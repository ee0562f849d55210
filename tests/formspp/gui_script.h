// Drives modal windows from inside their own event loops: a script of steps run by an FLTK
// timeout, and finders for the widgets of the windows on screen.
#ifndef MORVAC_TESTS_FORMSPP_GUI_SCRIPT_H
#define MORVAC_TESTS_FORMSPP_GUI_SCRIPT_H

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <deque>
#include <functional>
#include <string>

// Steps run in order, one attempt every 20 ms; a step that returns false is tried again. A
// script stuck on one step for 15 s ends the test program, since a modal loop that nobody
// answers would never return.
class GuiScript {
 public:
  GuiScript& then(std::function<bool()> step);
  // Starts running the steps from the event loop that the code under test will run.
  void start();
  [[nodiscard]] bool done() const { return steps_.empty(); }

 private:
  static void tick(void* script);
  std::deque<std::function<bool()>> steps_;
  int attempts_ = 0;
  int finished_ = 0;
};

// Returns the first widget of a shown window for which wanted is true, or null.
[[nodiscard]] Fl_Widget* widget_where(const std::function<bool(Fl_Widget*)>& wanted);
// Returns the first shown window that holds a widget labelled label, or null.
[[nodiscard]] Fl_Window* window_with(const std::string& label);
// Returns the widget labelled label in a shown window, or null.
[[nodiscard]] Fl_Widget* widget_labelled(const std::string& label);
// Returns the first widget of type T in a shown window, or null.
template <typename T>
[[nodiscard]] T* first_widget() {
  return static_cast<T*>(widget_where([](Fl_Widget* w) { return dynamic_cast<T*>(w) != nullptr; }));
}
// Presses the button labelled label if a shown window has it; returns whether it did.
bool press(const std::string& label);
// Types text into the first input field on screen and presses the button labelled label.
bool answer(const std::string& text, const std::string& label);
// Returns the text of the first input field on screen, or "" if there is none.
[[nodiscard]] std::string input_text();

#endif  // MORVAC_TESTS_FORMSPP_GUI_SCRIPT_H
