// The message box module: formspp's message box in a shared object of its own, which morvac
// opens at its first message, so that a run that shows none never loads the toolkit.
#ifndef MORVAC_DRIVER_MESSAGE_BOX_MODULE_H
#define MORVAC_DRIVER_MESSAGE_BOX_MODULE_H

#include <string>

// The module's one entry point: shows text with fl_show_Smessages.
extern "C" void morvac_message_box_show(const std::string& text);
using MessageBoxShow = decltype(morvac_message_box_show);
inline constexpr char kMessageBoxEntry[] = "morvac_message_box_show";

#endif  // MORVAC_DRIVER_MESSAGE_BOX_MODULE_H
