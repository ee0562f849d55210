#include "gui_script.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>

#include <cstdio>
#include <cstdlib>

namespace {

Fl_Widget* find_in(Fl_Widget* widget, const std::function<bool(Fl_Widget*)>& wanted) {
  if (wanted(widget)) return widget;
  Fl_Group* group = widget->as_group();
  if (group == nullptr) return nullptr;
  for (int i = 0; i < group->children(); ++i) {
    if (Fl_Widget* found = find_in(group->child(i), wanted)) return found;
  }
  return nullptr;
}

Fl_Widget* find_shown(const std::function<bool(Fl_Widget*)>& wanted) {
  for (Fl_Window* window = Fl::first_window(); window != nullptr;
       window = Fl::next_window(window)) {
    if (!window->shown() || !window->visible()) continue;
    if (Fl_Widget* found = find_in(window, wanted)) return found;
  }
  return nullptr;
}

bool labelled(Fl_Widget* widget, const std::string& label) {
  return widget->label() != nullptr && label == widget->label();
}

}  // namespace

GuiScript& GuiScript::then(std::function<bool()> step) {
  steps_.push_back(std::move(step));
  return *this;
}

void GuiScript::start() {
  Fl::add_timeout(0.02, tick, this);
}

void GuiScript::tick(void* data) {
  auto* script = static_cast<GuiScript*>(data);
  if (script->steps_.empty()) return;
  if (script->steps_.front()()) {
    script->steps_.pop_front();
    script->attempts_ = 0;
    ++script->finished_;
  } else if (++script->attempts_ > 750) {
    std::fprintf(stderr, "GUI script stuck at step %d\n", script->finished_ + 1);
    std::_Exit(3);
  }
  if (!script->steps_.empty()) Fl::repeat_timeout(0.02, tick, data);
}

Fl_Widget* widget_where(const std::function<bool(Fl_Widget*)>& wanted) {
  return find_shown(wanted);
}

Fl_Window* window_with(const std::string& label) {
  Fl_Widget* widget = widget_labelled(label);
  if (widget == nullptr) return nullptr;
  return widget->as_window() != nullptr ? widget->as_window() : widget->window();
}

Fl_Widget* widget_labelled(const std::string& label) {
  return find_shown([&](Fl_Widget* w) { return labelled(w, label); });
}

bool press(const std::string& label) {
  Fl_Widget* button = widget_labelled(label);
  if (button == nullptr) return false;
  button->do_callback();
  return true;
}

bool answer(const std::string& text, const std::string& label) {
  auto* input = first_widget<Fl_Input>();
  if (input == nullptr || widget_labelled(label) == nullptr) return false;
  input->value(text.c_str());
  return press(label);
}

std::string input_text() {
  const auto* input = first_widget<Fl_Input>();
  return input == nullptr || input->value() == nullptr ? "" : input->value();
}
