#include "formspp/message_box.h"

#include <FL/fl_ask.H>

#include <cstdio>
#include <memory>

#include "Stringpp.h"
#include "formspp/literal_label.h"

void fl_show_Smessages(const std::string& text) {
  if (!formspp_display_available()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return;
  }
  std::unique_ptr<char[]> message(Stoa(formspp_escape_at_signs(text)));
  fl_message("%s", message.get());
}
