#include "gui_helpers.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

GuiScript& GuiScript::then(std::function<bool()> step) {
  steps_.push_back(std::move(step));
  return *this;
}

GuiScript::~GuiScript() {
  Fl::remove_timeout(tick, this);
  Fl::remove_check(waited, this);
}

void GuiScript::start() {
  Fl::add_check(waited, this);
  Fl::add_timeout(0.02, tick, this);
}

void GuiScript::waited(void* data) {
  static_cast<GuiScript*>(data)->loop_turned_ = true;
}

void GuiScript::tick(void* data) {
  auto* script = static_cast<GuiScript*>(data);
  if (!script->loop_turned_) {
    Fl::add_timeout(0.02, tick, data);
    return;
  }
  script->loop_turned_ = false;
  if (script->steps_.front()()) {
    script->steps_.pop_front();
    script->tries_ = 0;
  } else if (++script->tries_ > 2000) {  // 40 s at least: a loaded machine maps windows slowly
    // What was on screen tells a slow machine from a dialog that never went.
    std::fprintf(stderr, "GUI script stuck, %zu steps left; windows shown:", script->steps_.size());
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
      std::fprintf(stderr, " \"%s\"%s", w->label() != nullptr ? w->label() : "",
                   w == Fl::modal() ? " (modal)" : "");
    }
    std::fprintf(stderr, "%s\n", Fl::grab() != nullptr ? "; a window holds the grab" : "");
    std::_Exit(3);
  }
  if (!script->steps_.empty()) {
    Fl::repeat_timeout(0.02, tick, data);
  } else {
    Fl::remove_check(waited, data);
  }
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

std::unique_ptr<unsigned char[]> read_pixels(Fl_Window* w, int x, int y, int width, int height) {
  settle(w);
  w->make_current();
  return std::unique_ptr<unsigned char[]>(fl_read_image(nullptr, x, y, width, height));
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
  Fl::add_timeout(
      0.0, [](void* w) { click(static_cast<Fl_Widget*>(w)); }, widget);
}

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

Rgb pixel_at(Fl_Window* w, int x, int y) {
  const auto pixel = read_pixels(w, x, y, 1, 1);
  return {pixel[0], pixel[1], pixel[2]};
}

Picture picture_of(Fl_Window* w, int x, int y, int width, int height) {
  const auto rgb = read_pixels(w, x, y, width, height);
  Picture picture{width, height, {}};
  const size_t size = static_cast<size_t>(width) * height * 3;
  for (size_t i = 0; i < size; i += 3) picture.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
  return picture;
}

std::vector<Ink> ink_lines(const Picture& picture, int dark, const Picture* blank, int from) {
  std::vector<Ink> lines;
  bool in_line = false;
  for (int y = 0; y < picture.h; ++y) {
    bool inked = false;
    for (int x = from; x < picture.w; ++x) {
      const Rgb p = picture.at(x, y);
      if (p.r + p.g + p.b >= dark || (blank != nullptr && p == blank->at(x, y))) continue;
      if (!in_line) lines.push_back({x, x, y, y});
      Ink& line = lines.back();
      line = {std::min(line.left, x), std::max(line.right, x), line.top, y};
      inked = in_line = true;
    }
    in_line = inked;
  }
  return lines;
}

Ink ink_box(const Picture& picture, int dark) {
  Ink box{picture.w, -1, picture.h, -1};
  for (const Ink& line : ink_lines(picture, dark)) {
    box = {std::min(box.left, line.left), std::max(box.right, line.right),
           std::min(box.top, line.top), std::max(box.bottom, line.bottom)};
  }
  return box;
}

ScreenReader::ScreenReader() : display_(XOpenDisplay(nullptr)) {}

ScreenReader::~ScreenReader() {
  if (display_ == nullptr) return;
  if (backdrop_ != 0) XDestroyWindow(display_, backdrop_);
  XCloseDisplay(display_);
}

void ScreenReader::backdrop(const Rgb& colour) {
  if (display_ == nullptr) return;
  const int screen = DefaultScreen(display_);
  XColor pixel{};
  pixel.red = static_cast<unsigned short>(colour.r * 257);
  pixel.green = static_cast<unsigned short>(colour.g * 257);
  pixel.blue = static_cast<unsigned short>(colour.b * 257);
  XAllocColor(display_, DefaultColormap(display_, screen), &pixel);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = pixel.pixel;
  attributes.override_redirect = True;  // no window manager moves or frames it
  backdrop_ =
      XCreateWindow(display_, RootWindow(display_, screen), 0, 0,
                    static_cast<unsigned>(DisplayWidth(display_, screen)),
                    static_cast<unsigned>(DisplayHeight(display_, screen)), 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(display_, backdrop_);
  XSync(display_, False);
}

std::pair<int, int> ScreenReader::origin(Fl_Window* w) const {
  int x = -1;
  int y = -1;
  Window child = 0;
  if (display_ != nullptr) {
    XTranslateCoordinates(display_, fl_xid(w), DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  }
  return {x, y};
}

Picture ScreenReader::read(int x, int y, int width, int height) const {
  Picture picture{width, height, {}};
  if (display_ == nullptr) return picture;
  XImage* image =
      XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  // Each channel scaled from its mask to 0..255.
  const auto channel = [](unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    while ((mask & 1) == 0) {
      mask >>= 1;
      pixel >>= 1;
    }
    return static_cast<int>((pixel & mask) * 255 / mask);
  };
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const unsigned long p = XGetPixel(image, i, j);
      picture.pixels.push_back({channel(p, image->red_mask), channel(p, image->green_mask),
                                channel(p, image->blue_mask)});
    }
  }
  XDestroyImage(image);
  return picture;
}

bool screenshot(Fl_Window* w, const std::string& name) {
  const char* folder = std::getenv("MORVAC_SCREENSHOT_DIR");
  if (folder == nullptr) return true;
  const auto pixels = read_pixels(w, 0, 0, w->w(), w->h());
  FILE* file = std::fopen((std::string(folder) + "/" + name + ".ppm").c_str(), "wb");
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
