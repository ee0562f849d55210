// Allocation and release of SOCK records, and the ownership of the two texts that a record
// shares with its SOCK_dup copies.
//
// Each record is allocated with a hidden trailer that points to the texts' owner; the owner counts
// the records that refer to the texts and frees them with the last one, so whichever record is
// released first, the texts are freed exactly once.
#ifndef MORVAC_SOCK_RECORD_H
#define MORVAC_SOCK_RECORD_H

#include "sock.h"

namespace sock_internal {

// Returns a new zero-filled record without texts; the caller sets its port and fd. When memory
// runs out, reports `exhausted_message` and aborts.
[[nodiscard]] SOCK* new_record(const char* exhausted_message);

// Gives `record` copies of `hostname` and `address` (both non-null), dropping its hold on the
// texts it had. When memory runs out, reports `exhausted_message` and aborts.
void set_texts(SOCK* record, const char* hostname, const char* address,
               const char* exhausted_message);

// Makes `copy` refer to the same texts as `source` (pointers copied, texts shared).
void share_texts(const SOCK* source, SOCK* copy);

// Frees `record`, and its texts when no other record refers to them.
void release_record(SOCK* record);

}  // namespace sock_internal

#endif  // MORVAC_SOCK_RECORD_H
