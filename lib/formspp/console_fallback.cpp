#include "formspp/console_fallback.h"

#include <cstdio>

void formspp_write_console_line(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}
