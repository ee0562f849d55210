// The big message window: a long text in a scrolling list, with "save" and "Quit".
#include <FL/forms.H>

#include <FL/Fl_Multi_Browser.H>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "Stringpp.h"
#include "formspp/console_fallback.h"
#include "formspp/dialogs.h"
#include "formspp/message_box.h"
#include "formspp/text_lines.h"

namespace {

// Asks for a file name and writes text to it unchanged; a cancelled choice or a file that cannot
// be opened writes nothing.
void save_text(const std::string& text) {
  const char* name = fl_show_file_selector("save message", "", "*.txt", "");
  if (name == nullptr || *name == '\0') return;
  std::ofstream file(name, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!file) return;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

void fl_show_Sbigmessages(const std::string& text, int columns) {
  if (!formspp_display_available()) {
    const bool ends_line = !text.empty() && text.back() == '\n';
    formspp_write_console_line(ends_line ? text.substr(0, text.size() - 1) : text);
    return;
  }
  columns = std::clamp(columns, 0, 1000);
  const auto window = std::make_unique<Fl_Window>(6 * columns + 10, 570, "Messages");
  // The window owns the widgets built inside it and deletes them with itself.
  // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
  auto* browser = new Fl_Multi_Browser(5, 10, 6 * columns, 500);
  auto* quit = new Fl_Button(250, 530, 50, 30, "Quit");
  auto* save = new Fl_Button(80, 530, 50, 30, "save");
  window->end();
  window->set_modal();
  for (const std::string& line : formspp_split_lines(text)) {
    const std::unique_ptr<char[]> copy(Stoa(formspp_literal_browser_line(line)));
    browser->add(copy.get());
  }
  window->show();
  for (;;) {
    Fl::check();
    Fl_Widget* pressed = Fl::readqueue();
    if (pressed == save) save_text(text);
    usleep(1000);
    // A window closed by the window manager counts as "Quit".
    if (pressed == quit || pressed == window.get() || !window->shown()) return;
  }
  // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
}
