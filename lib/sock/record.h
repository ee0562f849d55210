/* Allocation of SOCK records and of their texts. A record is the public struct alone, so nothing
 * here needs to know where a record lives. */
#ifndef MORVAC_SOCK_RECORD_H
#define MORVAC_SOCK_RECORD_H

#include "report.h"
#include "sock.h"

/* Returns a new zero-filled record from malloc's heap; the caller sets its fields. When memory
 * runs out, reports `exhausted_message` and aborts. */
SOCK_INTERNAL SOCK* sock_internal_new_record(const char* exhausted_message);

/* Returns a copy of `text` from malloc's heap, null for null. When memory runs out, reports
 * `exhausted_message` and aborts. */
SOCK_INTERNAL char* sock_internal_copy_text(const char* text, const char* exhausted_message);

#endif /* MORVAC_SOCK_RECORD_H */
