// Records as plain structs wherever they live, and texts shared by SOCK_dup: cleared, replaced or
// freed by the caller where allowed, each freed once whatever the order of release.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "loopback.h"

// The number of records and texts in the library's table of shared texts (an internal function,
// reached through the static library): a group that never ends stays there, out of the leak
// checker's sight.
extern "C" std::size_t sock_internal_shared_entries();

namespace {

enum class Place { kModuleHeap, kCallerHeap, kStack };

// Returns a copy of `server` made by SOCK_dup, or by assignment into `on_stack` or a block
// from malloc.
SOCK* record_at(Place place, const SOCK* server, SOCK* on_stack) {
  if (place == Place::kModuleHeap) return SOCK_dup(server);
  SOCK* record = on_stack;
  if (place == Place::kCallerHeap) record = static_cast<SOCK*>(std::malloc(sizeof(SOCK)));
  if (record != nullptr) *record = *server;
  return record;
}

// The server's side of one connection, accepted into a record wherever it lives.
TEST(SockRecord, AcceptAndDuplicateWorkWhereverTheRecordLives) {
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  const int listening = server->fd;
  for (const Place place : {Place::kModuleHeap, Place::kCallerHeap, Place::kStack}) {
    SCOPED_TRACE(static_cast<int>(place));
    SockPtr client(SOCK_make_client("127.0.0.1", server->port));
    ASSERT_TRUE(client);
    SOCK on_stack{};
    SOCK* record = record_at(place, server.get(), &on_stack);
    ASSERT_NE(nullptr, record);
    const int before = record->fd;
    ASSERT_EQ(1, SOCK_accept(record));
    if (before != listening) {
      EXPECT_EQ(0, sock_close(before));
    }
    EXPECT_STREQ("127.0.0.1", SOCK_host_address(record));
    ASSERT_NE(nullptr, SOCK_hostname(record));

    SockPtr copy(SOCK_dup(record));
    ASSERT_TRUE(copy);
    EXPECT_EQ(record->hostname, copy->hostname);  // the very same texts, shared
    EXPECT_EQ(record->address, copy->address);
    EXPECT_EQ(record->port, copy->port);
    ASSERT_TRUE(send_all(client.get(), "to both"));
    EXPECT_EQ("to ", receive(record, 3));
    EXPECT_EQ("both", receive(copy.get(), 4));
    copy.reset();
    ASSERT_TRUE(send_all(record, "back"));
    EXPECT_EQ("back", receive(client.get(), 4));
    SOCK_shutdown(record, 0);  // its copy released first, the texts are its own again
    std::free(std::exchange(record->hostname, nullptr));
    std::free(std::exchange(record->address, nullptr));
    if (place != Place::kStack) SOCK_shutdown(record, 1);
    EXPECT_EQ(0u, sock_internal_shared_entries());
    EXPECT_EQ(listening, server->fd);
    EXPECT_STREQ("0.0.0.0", SOCK_local_address(server.get()));  // still open and listening
  }
}

// A copy made by assignment is in no group: accepting into it or releasing it frees none of the
// group's texts, and duplicating it joins the group that owns them.
TEST(SockRecord, AnAssignedCopyOfASharedRecordFreesNoneOfItsTexts) {
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  server->hostname = strdup("listening");  // the caller's label, then shared by a copy
  SockPtr copy(SOCK_dup(server.get()));
  SockPtr client(SOCK_make_client("127.0.0.1", server->port));
  ASSERT_TRUE(copy && client);
  SOCK conn = *server;
  ASSERT_EQ(1, SOCK_accept(&conn));
  EXPECT_STREQ("127.0.0.1", conn.address);
  SOCK_shutdown(&conn, 0);
  std::free(conn.hostname);
  std::free(conn.address);
  std::array<SOCK*, 2> assigned{};
  for (SOCK*& record : assigned) {
    record = static_cast<SOCK*>(std::malloc(sizeof(SOCK)));
    ASSERT_NE(nullptr, record);
    *record = *copy;
  }
  SockPtr joined(SOCK_dup(assigned[1]));
  ASSERT_TRUE(joined);
  for (SOCK* record : assigned) {
    record->fd = -1;  // the descriptor stays the copy's
    SOCK_shutdown(record, 1);
  }
  EXPECT_STREQ("listening", server->hostname);
  copy.reset();
  server.reset();
  EXPECT_STREQ("listening", joined->hostname);  // the group's last record
  joined.reset();
  EXPECT_EQ(0u, sock_internal_shared_entries());
}

using Field = char* SOCK::*;
// The texts SOCK_dup has shared so far, as the caller knows them: never the caller's to free.
using Shared = std::set<const char*>;

Field other(Field field) {
  return field == &SOCK::hostname ? &SOCK::address : &SOCK::hostname;
}

// Empties a field as a caller must: its text is freed only when it is the record's own.
void let_go(SOCK& record, Field field, const Shared& shared) {
  char* text = std::exchange(record.*field, nullptr);
  if (text != nullptr && shared.count(text) == 0 && text != record.*other(field)) std::free(text);
}

struct Action {
  const char* name;
  void (*act)(SOCK& record, Field field, const Shared& shared);
  bool taken_back;  // the caller empties the field again just before the record is released
};

const Action kActions[] = {
    {"kept", [](SOCK&, Field, const Shared&) {}, false},
    {"cleared", let_go, false},
    {"replaced by a caller text",
     [](SOCK& r, Field f, const Shared& shared) {
       let_go(r, f, shared);
       r.*f = strdup("replaced");
     },
     false},
    {"put in both fields",
     [](SOCK& r, Field f, const Shared& shared) {
       let_go(r, other(f), shared);
       r.*other(f) = r.*f;
     },
     false},
    {"replaced by a caller text put in both fields",
     [](SOCK& r, Field f, const Shared& shared) {
       let_go(r, f, shared);
       let_go(r, other(f), shared);
       r.*f = r.*other(f) = strdup("both");
     },
     false},
    {"lent a caller text, freed before release unless shared by then",
     [](SOCK& r, Field f, const Shared& shared) {
       let_go(r, f, shared);
       r.*f = strdup("lent");
     },
     true},
};

using Texts = std::array<std::optional<std::string>, 2>;

Texts texts_of(const SOCK* record) {
  Texts texts;
  if (record->hostname != nullptr) texts[0] = record->hostname;
  if (record->address != nullptr) texts[1] = record->address;
  return texts;
}

// A client record, its copy and the copy's copy; one of them acted on right after it is made
// (before the next copy) or once all three exist; then released one after the other in `order`.
// The last one goes with release 1 or, when `closed_last`, as a record on the stack would: closed
// with release 0, its texts freed by the caller. The records left keep their texts intact; faults
// show as double frees, uses after free and leaks under the sanitizers.
void release_chain(const SOCK* server, const Action& action, Field field, int target, bool at_once,
                   const std::array<int, 3>& order, bool closed_last) {
  std::array<SOCK*, 3> records{SOCK_make_client("localhost", server->port)};
  const SockPtr accepted = accept_one(server);
  ASSERT_TRUE(records[0] && accepted);
  Shared shared;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      records[i] = SOCK_dup(records[i - 1]);
      ASSERT_NE(nullptr, records[i]);
      shared.insert({records[i - 1]->hostname, records[i - 1]->address});
    }
    if (at_once && i == target) action.act(*records[i], field, shared);
  }
  if (!at_once) action.act(*records[target], field, shared);
  std::array<Texts, 3> expected;
  for (int i = 0; i < 3; ++i) expected[i] = texts_of(records[i]);
  for (int released = 0; released < 3; ++released) {
    SOCK* record = records[order[released]];
    if (action.taken_back && order[released] == target) let_go(*record, field, shared);
    if (released == 2 && closed_last) {
      SOCK_shutdown(record, 0);  // the last of its group: its texts are its own again
      let_go(*record, &SOCK::hostname, {});
      let_go(*record, &SOCK::address, {});
      std::free(record);
    } else {
      SOCK_shutdown(record, 1);
    }
    for (int left = released + 1; left < 3; ++left) {  // intact, on a descriptor still open
      EXPECT_EQ(expected[order[left]], texts_of(records[order[left]]));
      EXPECT_TRUE(send_all(records[order[left]], "x") && receive(accepted.get(), 1) == "x");
    }
  }
  EXPECT_EQ(0u, sock_internal_shared_entries());
}

TEST(SockRecord, SharedTextsAreFreedOnceWhateverTheCallerDidToThem) {
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  for (const Action& action : kActions)
    for (const Field field : {&SOCK::hostname, &SOCK::address})
      for (int target = 0; target < 3; ++target)
        for (const bool at_once : {true, false})
          for (const bool closed_last : {false, true}) {
            std::array<int, 3> order = {0, 1, 2};
            do {
              SCOPED_TRACE(std::string(action.name) +
                           (field == &SOCK::hostname ? " hostname" : " address") + " of record " +
                           std::to_string(target) + (at_once ? " at once" : " later") +
                           " released " + std::to_string(order[0]) + std::to_string(order[1]) +
                           std::to_string(order[2]) + (closed_last ? " closed last" : ""));
              release_chain(server.get(), action, field, target, at_once, order, closed_last);
            } while (std::next_permutation(order.begin(), order.end()));
          }
}

}  // namespace
