/* Texts shared through SOCK_dup: the module's one table. A record is its four public fields, so
 * nothing in it can say that its texts are shared with copies; the table keeps that by address.
 * A group is a set of records linked by SOCK_dup with the texts it owns; each text is owned by
 * one group at most and is freed once, when the group's last record lets go of it. The table
 * only compares the records' addresses, never reads a record other than the one passed in, and
 * is empty (no memory held) while no group exists. Each function below takes the table's own lock
 * for its whole run, so any number of threads may call them at once. */
#ifndef MORVAC_SOCK_SHARING_H
#define MORVAC_SOCK_SHARING_H

#include <stddef.h>

#include "report.h"
#include "sock.h"

/* Puts `source` and its new `copy` (which holds the same texts) in one group that owns every
 * text `source` holds: the group `source` is in, or the group owning one of its texts (groups
 * brought together so become one), or a new group. A source holding no text and in no group
 * makes no group. When memory runs out, reports "memory exhausted" and aborts. */
SOCK_INTERNAL void sock_internal_share_texts(const SOCK* source, const SOCK* copy);

/* Lets `record` go of its texts before it is freed or given new ones: frees the texts it holds
 * that no group owns (once when both fields hold the same one), takes it out of its group, frees
 * the group's texts when it was the group's last record, and sets both fields to null. */
SOCK_INTERNAL void sock_internal_drop_texts(SOCK* record);

/* When `record` is the last record of its group, ends the group: the group's texts that the
 * record holds become its own, the others are freed. Otherwise does nothing. */
SOCK_INTERNAL void sock_internal_end_sharing(const SOCK* record);

/* Returns how many records and texts the table holds: 0 once every group has ended. */
SOCK_INTERNAL size_t sock_internal_shared_entries(void);

#endif /* MORVAC_SOCK_SHARING_H */
