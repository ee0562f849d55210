// What the dialogs of formspp do where no graphical display can be opened.
#ifndef MORVAC_FORMSPP_CONSOLE_FALLBACK_H
#define MORVAC_FORMSPP_CONSOLE_FALLBACK_H

#include <string>

// Writes text and a newline to standard output and flushes it, the way the message boxes do
// without a display.
void formspp_write_console_line(const std::string& text);

#endif  // MORVAC_FORMSPP_CONSOLE_FALLBACK_H
