// The wait notice.
#include <FL/forms.H>
#include <FL/x.H>

#include <unistd.h>

#include "formspp/console_fallback.h"
#include "formspp/dialogs.h"
#include "formspp/message_box.h"

namespace {

// Returns once the X server has carried out every request sent so far: the caller may block
// right after, and nothing queued on our side would reach the screen before its next event loop.
void reach_the_screen() {
  if (fl_display != nullptr) XSync(fl_display, False);
}

}  // namespace

OFD_wait_form::OFD_wait_form(const std::string& message) : form(nullptr), text(nullptr) {
  if (!formspp_display_available()) {
    formspp_write_console_line(message);
    return;
  }
  // The window owns the widgets built inside it; the destructor deletes it.
  // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
  form = fl_bgn_form(FL_NO_BOX, 600, 60);
  fl_add_box(FL_UP_BOX, 0, 0, 600, 60, "");
  text = fl_add_Stext(FL_NO_BOX, 10, 10, 580, 40, message);
  fl_set_object_lalign(text, FL_ALIGN_INSIDE);
  fl_set_object_lsize(text, FL_NORMAL_SIZE);
  fl_end_form();
  // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
  fl_show_form(form, FL_PLACE_MOUSE, FL_TRANSIENT, "travail en cours ...");
  // The notice takes no part in the event loop afterwards, and its owner may block at once: a
  // single pass of the loop would end before the window is even mapped. So wait until it is
  // exposed, draw it, and let the server finish drawing it.
  Fl::check();
  form->wait_for_expose();
  Fl::flush();
  reach_the_screen();
  usleep(1000);
}

OFD_wait_form::~OFD_wait_form() {
  if (form == nullptr) return;
  fl_hide_form(form);
  delete form;
  // Gone from the screen now, not at the owner's next pass of its event loop.
  reach_the_screen();
}
