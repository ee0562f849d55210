#include "sharing.h"

#include <pthread.h>
#include <stdlib.h>

enum Kind { kRecord, kText };

/* One record in a group, or one text a group owns. Group 0 stands for none. */
struct Entry {
  const void* address;
  unsigned long group;
  enum Kind kind;
};

/* The table is the module's only state, so its lock is the only one the module needs. It is
 * held by the functions below from start to end and by nothing else: they free and allocate
 * memory but never wait on a descriptor or the network. */
static pthread_mutex_t table_lock = PTHREAD_MUTEX_INITIALIZER;
static struct Entry* entries;
static size_t count;
static size_t capacity;
static unsigned long last_group;

/* Returns the group of the record or text at `address`, 0 when it is in none. */
static unsigned long group_of(enum Kind kind, const void* address) {
  size_t i;
  if (address == NULL) return 0;
  for (i = 0; i < count; ++i)
    if (entries[i].kind == kind && entries[i].address == address) return entries[i].group;
  return 0;
}

static void add(enum Kind kind, const void* address, unsigned long group) {
  if (count == capacity) {
    const size_t grown = capacity == 0 ? 8 : 2 * capacity;
    struct Entry* bigger = realloc(entries, grown * sizeof *entries);
    if (bigger == NULL) sock_internal_report_and_abort("memory exhausted");
    entries = bigger;
    capacity = grown;
  }
  entries[count].address = address;
  entries[count].group = group;
  entries[count].kind = kind;
  ++count;
}

/* Removes entry `i` (the last one takes its place); the last removal frees the table. */
static void remove_at(size_t i) {
  entries[i] = entries[--count];
  if (count > 0) return;
  free(entries);
  entries = NULL;
  capacity = 0;
}

/* Returns 1 when `text` is in a field of `record`, 0 otherwise or for a null record. */
static int holds(const SOCK* record, const void* text) {
  return record != NULL && (record->hostname == text || record->address == text);
}

/* Returns a group number that no entry uses (the counter may have wrapped around). */
static unsigned long new_group(void) {
  size_t i;
  do {
    ++last_group;
    for (i = 0; i < count && entries[i].group != last_group; ++i) continue;
  } while (last_group == 0 || i < count);
  return last_group;
}

/* Ends `group`, whose records have all left: frees its texts but those `keeper` holds. */
static void end_group(unsigned long group, const SOCK* keeper) {
  size_t i = 0;
  while (i < count) {
    if (entries[i].group != group || entries[i].kind != kText) {
      ++i;
      continue;
    }
    if (!holds(keeper, entries[i].address)) free((void*)entries[i].address);
    remove_at(i);
  }
}

/* Takes `record` out of its group; returns the group when that was its last record, else 0. */
static unsigned long leave(const SOCK* record) {
  unsigned long group = 0;
  size_t i;
  for (i = 0; i < count && group == 0; ++i)
    if (entries[i].kind == kRecord && entries[i].address == (const void*)record) {
      group = entries[i].group;
      remove_at(i);
    }
  for (i = 0; i < count && group != 0; ++i)
    if (entries[i].kind == kRecord && entries[i].group == group) return 0;
  return group;
}

/* share_texts, drop_texts and end_sharing are the functions of sharing.h without the lock. */
static void share_texts(const SOCK* source, const SOCK* copy) {
  const char* const texts[2] = {source->hostname, source->address};
  unsigned long group = group_of(kRecord, source);
  int t;
  size_t i;
  for (t = 0; t < 2; ++t) {
    const unsigned long owner = group_of(kText, texts[t]);
    if (owner == 0 || owner == group) continue;
    if (group == 0) {
      group = owner;
      continue;
    }
    for (i = 0; i < count; ++i)
      if (entries[i].group == owner) entries[i].group = group;
  }
  if (group == 0) {
    if (texts[0] == NULL && texts[1] == NULL) return;
    group = new_group();
  }
  if (group_of(kRecord, source) == 0) add(kRecord, source, group);
  add(kRecord, copy, group);
  for (t = 0; t < 2; ++t)
    if (texts[t] != NULL && group_of(kText, texts[t]) == 0) add(kText, texts[t], group);
}

static void drop_texts(SOCK* record) {
  unsigned long ended;
  if (record->hostname != NULL && group_of(kText, record->hostname) == 0) free(record->hostname);
  if (record->address != NULL && record->address != record->hostname &&
      group_of(kText, record->address) == 0)
    free(record->address);
  record->hostname = NULL;
  record->address = NULL;
  ended = leave(record);
  if (ended != 0) end_group(ended, NULL);
}

static void end_sharing(const SOCK* record) {
  const unsigned long group = group_of(kRecord, record);
  size_t i;
  if (group == 0) return;
  for (i = 0; i < count; ++i)
    if (entries[i].kind == kRecord && entries[i].group == group &&
        entries[i].address != (const void*)record)
      return;
  (void)leave(record);
  end_group(group, record);
}

void sock_internal_share_texts(const SOCK* source, const SOCK* copy) {
  pthread_mutex_lock(&table_lock);
  share_texts(source, copy);
  pthread_mutex_unlock(&table_lock);
}

void sock_internal_drop_texts(SOCK* record) {
  pthread_mutex_lock(&table_lock);
  drop_texts(record);
  pthread_mutex_unlock(&table_lock);
}

void sock_internal_end_sharing(const SOCK* record) {
  pthread_mutex_lock(&table_lock);
  end_sharing(record);
  pthread_mutex_unlock(&table_lock);
}

size_t sock_internal_shared_entries(void) {
  size_t entries_now;
  pthread_mutex_lock(&table_lock);
  entries_now = count;
  pthread_mutex_unlock(&table_lock);
  return entries_now;
}
