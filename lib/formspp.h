// formspp: GUI utilities of the morvac project on FLTK 1.3 and its forms compatibility layer.
//
// String-based message boxes and dialogs, a text pager with PDF, PostScript and text export,
// simulator input and output panels, and a clipped drawing sheet. Every string argument reaches
// the toolkit through a NUL-terminated copy made with Stoa and is shown literally: no format
// directives, no '@' symbols or browser formatting codes. Texts are UTF-8.
//
// Where no graphical display can be opened, the message boxes write their text and a newline to
// standard output instead and return as if the user had closed them.
#ifndef MORVAC_FORMSPP_H
#define MORVAC_FORMSPP_H

#include "formspp/message_box.h"
#include "formspp/dialogs.h"
#include "formspp/pager.h"
#include "formspp/simulator.h"
#include "formspp/sheet.h"

#endif  // MORVAC_FORMSPP_H
