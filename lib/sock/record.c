#include "record.h"

#include <stdlib.h>
#include <string.h>

SOCK* sock_internal_new_record(const char* exhausted_message) {
  SOCK* record = calloc(1, sizeof *record);
  if (record == NULL) sock_internal_report_and_abort(exhausted_message);
  return record;
}

char* sock_internal_copy_text(const char* text, const char* exhausted_message) {
  char* copy;
  if (text == NULL) return NULL;
  copy = strdup(text);
  if (copy == NULL) sock_internal_report_and_abort(exhausted_message);
  return copy;
}
