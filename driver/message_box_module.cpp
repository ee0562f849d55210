#include "message_box_module.h"

#include "formspp/message_box.h"

void morvac_message_box_show(const std::string& text) {
  fl_show_Smessages(text);
}
