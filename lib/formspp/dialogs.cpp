// Message, question and input boxes.
#include "formspp/dialogs.h"

#include <FL/forms.H>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Stringpp.h"
#include "formspp/console_fallback.h"
#include "formspp/literal_label.h"
#include "formspp/message_box.h"

namespace {

const char* const kCreditNotice =
    "formspp: dialogs, text pager, simulator panels and drawing sheet\n"
    "for FLTK 1.3, from the makers of morvac";

using Copy = std::unique_ptr<char[]>;

// Runs the forms input box; returns the confirmed text, or null when it was cancelled.
const char* ask(const char* label, const char* offered) {
  const std::string shown = formspp_escape_at_signs(label == nullptr ? "" : label);
  return fl_show_input(shown.c_str(), offered);
}

}  // namespace

void fl_show_Salert(const std::string& text) {
  if (!formspp_display_available()) {
    formspp_write_console_line(text);
    return;
  }
  const Copy copy(Stoa(formspp_escape_at_signs(text)));
  fl_alert("%s", copy.get());
}

int fl_show_Squestion(const std::string& text, int /*ignored*/) {
  if (!formspp_display_available()) {
    formspp_write_console_line(text);
    return 0;
  }
  const Copy copy(Stoa(formspp_escape_at_signs(text)));
  return fl_show_question(copy.get());
}

void fl_show_ms() {
  if (!formspp_display_available()) {
    formspp_write_console_line(kCreditNotice);
    return;
  }
  fl_message("%s", kCreditNotice);
}

std::string fl_show_Sinput(const std::string& label, const std::string& deflt) {
  if (!formspp_display_available()) {
    formspp_write_console_line(label);
    return std::string();
  }
  const Copy label_copy(Stoa(label));
  const Copy deflt_copy(Stoa(deflt));
  const char* answer = ask(label_copy.get(), deflt_copy.get());
  return answer == nullptr ? std::string() : std::string(answer);
}

int fl_show_int(const char* label, int deflt) {
  if (!formspp_display_available()) {
    formspp_write_console_line(label == nullptr ? "" : label);
    return deflt;
  }
  char offered[16];
  std::snprintf(offered, sizeof offered, "%d", deflt);
  const char* answer = ask(label, offered);
  if (answer == nullptr) return deflt;
  char* end = nullptr;
  const long value = std::strtol(answer, &end, 10);
  if (end == answer) return deflt;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double fl_show_double(const char* label, double deflt) {
  if (!formspp_display_available()) {
    formspp_write_console_line(label == nullptr ? "" : label);
    return deflt;
  }
  // Large magnitudes print hundreds of digits: size the text before formatting it.
  const int length = std::snprintf(nullptr, 0, "%lf", deflt);
  std::string offered(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  std::snprintf(offered.data(), offered.size() + 1, "%lf", deflt);
  const char* answer = ask(label, offered.c_str());
  if (answer == nullptr) return deflt;
  char* end = nullptr;
  const double value = std::strtod(answer, &end);
  return end == answer ? deflt : value;
}

double fl_show_double(const std::string& label, double deflt) {
  const Copy copy(Stoa(label));
  return fl_show_double(copy.get(), deflt);
}
