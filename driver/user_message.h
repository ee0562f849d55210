// How morvac shows its messages to the user.
#ifndef MORVAC_DRIVER_USER_MESSAGE_H
#define MORVAC_DRIVER_USER_MESSAGE_H

#include <string>

// Shows text in a modal message box and returns once it is closed. Where the box cannot be
// shown (no display can be opened, or the message box module cannot be loaded), writes text and
// a newline to standard output and returns.
void show_user_message(const std::string& text);

#endif  // MORVAC_DRIVER_USER_MESSAGE_H
