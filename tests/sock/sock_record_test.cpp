// Records as plain structs wherever they live, and texts that belong to the record holding them:
// freed, replaced or cleared by the caller, copied by SOCK_dup, released once in every order.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loopback.h"

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
    EXPECT_STREQ(record->hostname, copy->hostname);
    EXPECT_STREQ(record->address, copy->address);
    EXPECT_NE(record->hostname, copy->hostname);  // texts of its own, freed with it
    EXPECT_NE(record->address, copy->address);
    ASSERT_TRUE(send_all(client.get(), "to both"));
    EXPECT_EQ("to ", receive(record, 3));
    EXPECT_EQ("both", receive(copy.get(), 4));
    copy.reset();
    ASSERT_TRUE(send_all(record, "back"));
    EXPECT_EQ("back", receive(client.get(), 4));
    if (place == Place::kStack) {
      SOCK_shutdown(record, 0);
      std::free(record->hostname);
      std::free(record->address);
    } else {
      SOCK_shutdown(record, 1);
    }
    EXPECT_EQ(listening, server->fd);
    EXPECT_STREQ("0.0.0.0", SOCK_local_address(server.get()));  // still open and listening
  }
}

using Field = char* SOCK::*;
using TakenTexts = std::vector<std::pair<char*, std::string>>;
// What the caller does to one text of a record before releasing it.
using Edit = void (*)(SOCK& record, Field field, TakenTexts& taken);

struct EditCase {
  const char* name;
  Edit edit;
};

const EditCase kEdits[] = {
    {"kept", [](SOCK&, Field, TakenTexts&) {}},
    {"freed by the caller",
     [](SOCK& r, Field f, TakenTexts&) {
       std::free(r.*f);
       r.*f = nullptr;
     }},
    {"replaced by the caller",
     [](SOCK& r, Field f, TakenTexts&) {
       std::free(r.*f);
       r.*f = strdup("replaced");
     }},
    {"taken out by the caller",
     [](SOCK& r, Field f, TakenTexts& taken) {
       taken.emplace_back(r.*f, r.*f);
       r.*f = nullptr;
     }},
    {"put in both fields",
     [](SOCK& r, Field f, TakenTexts&) {
       const Field other = f == &SOCK::hostname ? &SOCK::address : &SOCK::hostname;
       std::free(r.*other);
       r.*other = r.*f;
     }},
};

using Texts = std::array<std::optional<std::string>, 2>;

Texts texts_of(const SOCK* record) {
  Texts texts;
  if (record->hostname != nullptr) texts[0] = record->hostname;
  if (record->address != nullptr) texts[1] = record->address;
  return texts;
}

// A record, its copy and the copy's copy; one of them edited right after it is made (before the
// next copy) or once all three exist; then released one after the other in each of the six
// orders. The records left must keep their texts intact, and a text the caller took out
// outlives them all. Faults show as double frees, uses after free and leaks under the
// sanitizers.
TEST(SockRecord, TextsAreFreedOnceWhateverTheCallerDidToThem) {
  Loopback loop = connect_loopback("localhost");
  ASSERT_TRUE(loop.client && loop.accepted);
  for (const EditCase& edit : kEdits)
    for (const Field field : {&SOCK::hostname, &SOCK::address})
      for (int target = 0; target < 3; ++target)
        for (const bool at_once : {true, false}) {
          std::array<int, 3> order = {0, 1, 2};
          do {
            SCOPED_TRACE(std::string(edit.name) +
                         (field == &SOCK::hostname ? " hostname" : " address") + " of record " +
                         std::to_string(target) + (at_once ? " at once" : " later") + " released " +
                         std::to_string(order[0]) + std::to_string(order[1]) +
                         std::to_string(order[2]));
            TakenTexts taken;
            std::array<SOCK*, 3> records{};
            for (int i = 0; i < 3; ++i) {
              records[i] = SOCK_dup(i == 0 ? loop.client.get() : records[i - 1]);
              ASSERT_NE(nullptr, records[i]);
              if (at_once && i == target) edit.edit(*records[i], field, taken);
            }
            if (!at_once) edit.edit(*records[target], field, taken);
            std::array<Texts, 3> expected;
            for (int i = 0; i < 3; ++i) expected[i] = texts_of(records[i]);
            for (int released = 0; released < 3; ++released) {
              SOCK_shutdown(records[order[released]], 1);
              for (int left = released + 1; left < 3; ++left)
                EXPECT_EQ(expected[order[left]], texts_of(records[order[left]]));
            }
            for (const auto& [text, characters] : taken) {
              EXPECT_EQ(characters, text);
              std::free(text);
            }
          } while (std::next_permutation(order.begin(), order.end()));
        }
}

}  // namespace
