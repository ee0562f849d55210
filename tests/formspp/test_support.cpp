#include "test_support.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

ScratchDirectory::ScratchDirectory() : previous_(std::filesystem::current_path()) {
  std::string pattern = std::filesystem::temp_directory_path() / "formspp-XXXXXX";
  path = mkdtemp(pattern.data());
  std::filesystem::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::filesystem::remove_all(path);
}

std::string read_file(const std::string& name) {
  std::ostringstream content;
  content << std::ifstream(name, std::ios::binary).rdbuf();
  return content.str();
}

void write_script(const std::string& name, const std::string& body) {
  std::ofstream(name) << "#!/bin/sh\n" << body << "\n";
  chmod(name.c_str(), 0755);
}

bool file_exists(const std::string& name) {
  return access(name.c_str(), F_OK) == 0;
}

int run_command(const std::string& command, std::string* output) {
  const int status = std::system((command + " >command.out 2>&1").c_str());
  if (output != nullptr) *output = read_file("command.out");
  std::remove("command.out");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ink(const std::string& pgm, int x0, int y0, int x1, int y1, bool from_bottom) {
  std::istringstream in(read_file(pgm));
  int header[3] = {};  // width, height, maximum; comment lines may come between
  std::string field;
  in >> field;
  for (int& value : header) {
    while (in >> field && field[0] == '#') std::getline(in, field);
    value = std::atoi(field.c_str());
  }
  in.get();
  const std::string pixels(std::istreambuf_iterator<char>(in), {});
  const int width = header[0], height = header[1];
  if (from_bottom) std::tie(y0, y1) = std::make_pair(height - y1, height - y0);
  for (int y = std::max(y0, 0); y <= y1 && y < height; ++y) {
    for (int x = std::max(x0, 0); x <= x1 && x < width; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      if (at < pixels.size() && static_cast<unsigned char>(pixels[at]) < 160) return true;
    }
  }
  return false;
}

GuiScript& GuiScript::then(std::function<bool()> step) {
  steps_.push_back(std::move(step));
  return *this;
}

void GuiScript::start() {
  Fl::add_timeout(0.02, tick, this);
}

void GuiScript::tick(void* data) {
  auto* script = static_cast<GuiScript*>(data);
  if (script->steps_.front()()) {
    script->steps_.pop_front();
    script->tries_ = 0;
  } else if (++script->tries_ > 750) {
    std::fprintf(stderr, "GUI script stuck, %zu steps left\n", script->steps_.size());
    std::_Exit(3);
  }
  if (!script->steps_.empty()) Fl::repeat_timeout(0.02, tick, data);
}

namespace {
Fl_Widget* find_in(Fl_Widget* widget, const std::function<bool(Fl_Widget*)>& wanted) {
  if (wanted(widget)) return widget;
  Fl_Group* group = widget->as_group();
  for (int i = 0; group != nullptr && i < group->children(); ++i) {
    if (Fl_Widget* found = find_in(group->child(i), wanted)) return found;
  }
  return nullptr;
}
}  // namespace

Fl_Widget* find_widget(const std::function<bool(Fl_Widget*)>& wanted) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (Fl_Widget* found = w->visible() ? find_in(w, wanted) : nullptr) return found;
  }
  return nullptr;
}

Fl_Widget* labelled(const std::string& label) {
  return find_widget([&](Fl_Widget* w) { return w->label() != nullptr && label == w->label(); });
}

bool press(const std::string& label) {
  Fl_Widget* button = labelled(label);
  if (button != nullptr) button->do_callback();
  return button != nullptr;
}
