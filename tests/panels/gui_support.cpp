#include "gui_support.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <memory>

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb rgb_of(Fl_Color c) {
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
  Fl::get_color(c, r, g, b);
  return {r, g, b};
}

void settle(Fl_Window* w) {
  if (!w->shown()) w->show();
  w->wait_for_expose();
  for (int i = 0; i < 10; ++i) Fl::check();
  Fl::flush();
}

namespace {

std::unique_ptr<unsigned char[]> read_pixels(Fl_Window* w, int x, int y, int width, int height) {
  settle(w);
  w->make_current();
  return std::unique_ptr<unsigned char[]>(fl_read_image(nullptr, x, y, width, height));
}

void click_callback(void* widget) {
  click(static_cast<Fl_Widget*>(widget));
}

}  // namespace

Rgb pixel_at(Fl_Window* w, int x, int y) {
  const auto pixel = read_pixels(w, x, y, 1, 1);
  return {pixel[0], pixel[1], pixel[2]};
}

void click(Fl_Widget* widget) {
  Fl_Window* window = widget->window();
  Fl::e_x = widget->x() + widget->w() / 2;
  Fl::e_y = widget->y() + widget->h() / 2;
  Fl::e_x_root = window->x_root() + Fl::e_x;
  Fl::e_y_root = window->y_root() + Fl::e_y;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::e_state = FL_BUTTON1;
  Fl::handle(FL_PUSH, window);
  Fl::e_state = 0;
  Fl::handle(FL_RELEASE, window);
}

void click_soon(Fl_Widget* widget) {
  Fl::add_timeout(0.0, click_callback, widget);
}

bool save_ppm(Fl_Window* w, const std::string& path) {
  const auto pixels = read_pixels(w, 0, 0, w->w(), w->h());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", w->w(), w->h());
  const size_t size = static_cast<size_t>(w->w()) * w->h() * 3;
  const bool written = std::fwrite(pixels.get(), 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

// Xft's font matching keeps fontconfig patterns for the life of the process; LeakSanitizer would
// report them at exit in every test that draws text.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
