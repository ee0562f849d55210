// Load: many clients served one after another by one server.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loopback.h"

namespace {

std::string numbered(const char* word, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%s %03d", word, number);
  return text;
}

TEST(SockLoad, TwoHundredClientsThroughOneServerLoseNothing) {
  constexpr int kClients = 200;
  constexpr int kBatch = 5;  // within the backlog, so each connect completes before its accept
  const std::size_t before = open_descriptors();
  {
    SockPtr server(SOCK_make_server(0));
    ASSERT_TRUE(server);
    int answered = 0;
    for (int first = 0; first < kClients; first += kBatch) {
      std::vector<SockPtr> clients;
      for (int i = first; i < first + kBatch; ++i) {
        clients.emplace_back(SOCK_make_client("127.0.0.1", SOCK_port_number(server.get())));
        ASSERT_TRUE(clients.back());
        ASSERT_TRUE(send_all(clients.back().get(), numbered("client", i)));
      }
      for (int i = first; i < first + kBatch; ++i) {
        SockPtr connection = accept_one(server.get());
        ASSERT_TRUE(connection);
        const std::string question = receive(connection.get(), 10);
        ASSERT_EQ("client ", question.substr(0, 7));
        ASSERT_TRUE(send_all(connection.get(), "answer " + question.substr(7)));
      }
      for (int i = first; i < first + kBatch; ++i) {
        EXPECT_EQ(numbered("answer", i), receive(clients[i - first].get(), 10));
        ++answered;
      }
    }
    EXPECT_EQ(kClients, answered);
  }
  EXPECT_EQ(before, open_descriptors());
}

}  // namespace
