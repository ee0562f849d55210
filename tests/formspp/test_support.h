// Helpers of the formspp tests: a scratch working directory, files, rendered pages, and a script
// that answers modal windows from inside their own event loops.
#ifndef MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
#define MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H

#include <deque>
#include <functional>
#include <string>
#include <vector>

class Fl_Widget;

// A fresh directory that is the working directory for the object's life (the pager writes
// tmp.pdf and tmp.txt there).
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  std::string path;

 private:
  std::string previous_;
};

[[nodiscard]] std::string read_file(const std::string& name);
void write_script(const std::string& name, const std::string& body);  // an executable sh script
[[nodiscard]] bool file_exists(const std::string& name);
// Runs a shell command; returns its exit code, and its output (with errors) in output.
int run_command(const std::string& command, std::string* output = nullptr);

// Returns true when a binary PGM image has a dark pixel in the box x0..x1, y0..y1 (y downwards,
// or upwards from the bottom when `from_bottom`, as page coordinates are).
[[nodiscard]] bool ink(const std::string& pgm, int x0, int y0, int x1, int y1,
                       bool from_bottom = true);

// Steps run in order from an FLTK timeout, one try every 20 ms; a step that returns false is
// tried again. A script stuck 15 s on one step ends the program, since nobody else would close
// the modal window it waits in.
class GuiScript {
 public:
  GuiScript& then(std::function<bool()> step);
  void start();
  [[nodiscard]] bool done() const { return steps_.empty(); }

 private:
  static void tick(void* script);
  std::deque<std::function<bool()>> steps_;
  int tries_ = 0;
};

// Returns the first widget of a shown window for which wanted is true, or null.
[[nodiscard]] Fl_Widget* find_widget(const std::function<bool(Fl_Widget*)>& wanted);
[[nodiscard]] Fl_Widget* labelled(const std::string& label);
template <typename T>
[[nodiscard]] T* first_of() {
  return dynamic_cast<T*>(find_widget([](Fl_Widget* w) { return dynamic_cast<T*>(w) != nullptr; }));
}
// Presses the button labelled label if one is on screen; returns whether it did.
bool press(const std::string& label);

#endif  // MORVAC_TESTS_FORMSPP_TEST_SUPPORT_H
