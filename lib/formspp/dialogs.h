// Message and input dialogs of formspp, and forms-style helpers that take strings; included by
// formspp.h.
//
// Every function takes std::string where the toolkit takes a NUL-terminated array, hands the
// toolkit a Stoa copy and releases it once the call returns. Texts are shown literally: a percent
// sign or a backslash is never read as a format directive, an '@' never as one of the toolkit's
// symbols ("@->" shows '@', '-' and '>', not an arrow) nor, at the start of a browser line, as a
// formatting code. Texts are UTF-8.
//
// Without a graphical display (see formspp_display_available) every dialog writes its text, or
// its label for the input boxes, and a newline to standard output and returns as if the user had
// closed it at once: questions answer "no" (0), fl_show_Sinput gives the empty string, the number
// inputs give their default, the big message window writes the whole text (ending it with a
// newline if it has none) and the wait notice opens no window.
#ifndef MORVAC_FORMSPP_DIALOGS_H
#define MORVAC_FORMSPP_DIALOGS_H

#include <FL/Enumerations.H>

#include <string>

class Fl_Browser;
class Fl_FormsText;
class Fl_Widget;
class Fl_Window;

// ---------------------------------------------------------------------------------------------
// Message and question boxes (modal)
// ---------------------------------------------------------------------------------------------

// Shows text in the toolkit's alert box and returns once it is closed.
void fl_show_Salert(const std::string& text);

// Asks text with the buttons "No" and "Yes"; returns 1 for yes and 0 for no or a closed box.
// The second argument is ignored.
[[nodiscard]] int fl_show_Squestion(const std::string& text, int ignored = 0);

// Shows the library's credit notice in a message box.
void fl_show_ms();

// ---------------------------------------------------------------------------------------------
// Input boxes (modal)
// ---------------------------------------------------------------------------------------------

// Asks for a text under label, offering deflt; returns the confirmed text, or "" on cancel.
[[nodiscard]] std::string fl_show_Sinput(const std::string& label, const std::string& deflt);

// Asks for an integer, offering deflt as "%d" text; returns deflt on cancel or when the text does
// not begin with a number, else the leading number (" 42x" gives 42; out-of-range values are
// clamped to the int range). A null label is shown as an empty one.
[[nodiscard]] int fl_show_int(const char* label, int deflt);

// Asks for a real number, offering deflt as "%lf" text (0.5 is offered as 0.500000); returns
// deflt on cancel or when the text does not begin with a number, else the leading number.
[[nodiscard]] double fl_show_double(const char* label, double deflt);

// The same with the label given as a string.
[[nodiscard]] double fl_show_double(const std::string& label, double deflt);

// ---------------------------------------------------------------------------------------------
// Big message window
// ---------------------------------------------------------------------------------------------

// Shows text line by line in a modal "Messages" window 6 * columns + 10 pixels wide, whose
// "save" button writes the text unchanged to a file chosen by the user (a file that cannot be
// written is skipped); returns when "Quit" is pressed or the window is closed. columns is taken
// within 0 to 1000.
void fl_show_Sbigmessages(const std::string& text, int columns);

// ---------------------------------------------------------------------------------------------
// Wait notice
// ---------------------------------------------------------------------------------------------

// A notice that work is in progress, titled "travail en cours ...", at the mouse. The constructor
// returns once the message is drawn on the screen, and the destructor once the window has left
// it, so the owner may block in between without running the event loop. It does not answer
// events meanwhile.
class OFD_wait_form {
 public:
  explicit OFD_wait_form(const std::string& message);
  ~OFD_wait_form();
  OFD_wait_form(const OFD_wait_form&) = delete;
  OFD_wait_form& operator=(const OFD_wait_form&) = delete;

  Fl_Window* form;     // the notice's window; null without a display
  Fl_FormsText* text;  // the text object that shows the message; null without a display
};

// ---------------------------------------------------------------------------------------------
// Forms-style helpers taking strings
//
// The browser helpers need a display (the toolkit measures lines with a font): without one they
// leave the browser unchanged, and fl_add_browser_Sline_if_new returns 0.
// ---------------------------------------------------------------------------------------------

// Sets the text of the input field (an Fl_Input); the field keeps its own copy.
void fl_set_Sinput(Fl_Widget* input, const std::string& s);

// Adds a forms text object to the group being built; returns it. Its label is its own copy of s,
// drawn literally, and is released with the object.
Fl_FormsText* fl_add_Stext(Fl_Boxtype type, int x, int y, int w, int h, const std::string& s);

// Appends s as a new last line of browser (an Fl_Browser). A line that begins with the browser's
// format character ('@' unless it was given another) is held behind the code that ends
// formatting ("@." for '@'), so that it shows as written.
void fl_add_browser_Sline(Fl_Widget* browser, const std::string& s);

// Replaces line number line (from 1) of browser (an Fl_Browser) with s, held as above.
void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& s);

// Appends s to browser unless a line that shows s is already there; returns 1 if it appended,
// 0 if not (the browser is then unchanged).
int fl_add_browser_Sline_if_new(Fl_Browser* browser, const std::string& s);

// Sets the label of obj to the first n characters of s when 0 <= n < length of s, else to the
// whole of s ("abcdef" with n = 3 gives "abc"; with -1 or 100, "abcdef"; "été" with 2, "ét").
// obj keeps a copy. A widget of the normal label type is given one that draws the same way with
// '@' as written; a label type that the caller chose (shadow, engraved...) is kept.
void fl_set_object_Slabel(Fl_Widget* obj, const std::string& s, int n);

// Draws s as written in the box (x, y, w, h) with alignment align, in font style at size and
// colour color. Call it from a widget's draw(); without a display it draws nothing.
void fl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color color, int size,
                   Fl_Font style, const std::string& s);

#endif  // MORVAC_FORMSPP_DIALOGS_H
