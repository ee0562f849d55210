// Message box of formspp; included by formspp.h.
#ifndef MORVAC_FORMSPP_MESSAGE_BOX_H
#define MORVAC_FORMSPP_MESSAGE_BOX_H

#include <string>

// Returns true when a graphical display can be opened (tried once; the connection is then the
// toolkit's). Without one, message boxes write to standard output instead.
[[nodiscard]] bool formspp_display_available();

// Shows text literally in a modal one-button message box and returns once it is closed; without
// a display, writes text and a newline to standard output and returns.
void fl_show_Smessages(const std::string& text);

#endif  // MORVAC_FORMSPP_MESSAGE_BOX_H
