// Connections that work: clients, servers, accepted peers, transfers, closing and load (copies
// are in sock_record_test.cpp).
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "loopback.h"

// The typical server loop of sock.h, compiled from the header's lines (header_loop.c).
extern "C" void sock_header_server_loop(SOCK* server, void (*serve)(SOCK* conn));

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// Returns true while thread `id` of this process waits inside the system's receive call.
bool in_receive_call(pid_t id) {
  std::ifstream state("/proc/self/task/" + std::to_string(id) + "/syscall");
  long number = -1;
  return id != 0 && state >> number && number == SYS_recvfrom;
}

// By address and by name; a port beyond 16 bits reaches the server at its low 16 bits.
TEST(SockConnection, ClientReachesServerByAddressAndByName) {
  const std::pair<const char*, int> cases[] = {{"127.0.0.1", 0},
                                               {"localhost", 0},
                                               {"127.0.0.1", 65536},
                                               {"localhost", -65536},
                                               {"127.0.0.1", 3 * 65536}};
  for (const auto& [host, offset] : cases) {
    SCOPED_TRACE(std::string(host) + " + " + std::to_string(offset));
    Loopback loop = connect_loopback(host, offset);
    ASSERT_TRUE(loop.server && loop.client && loop.accepted);
    const SOCK* server = loop.server.get();
    EXPECT_NE(0, SOCK_port_number(server));
    EXPECT_EQ(nullptr, SOCK_hostname(server));
    EXPECT_EQ(nullptr, SOCK_host_address(server));
    EXPECT_EQ(SOCK_port_number(server), SOCK_port_number(loop.client.get()));
    EXPECT_STREQ(host, SOCK_hostname(loop.client.get()));
    EXPECT_STREQ("127.0.0.1", SOCK_host_address(loop.client.get()));
    EXPECT_STREQ("127.0.0.1", SOCK_local_address(loop.client.get()));
    EXPECT_STREQ("127.0.0.1", SOCK_host_address(loop.accepted.get()));
    EXPECT_EQ(reverse_name_or_dotted("127.0.0.1"), SOCK_hostname(loop.accepted.get()));
    ASSERT_TRUE(send_all(loop.client.get(), "ping"));
    EXPECT_EQ("ping", receive(loop.accepted.get(), 4));
    ASSERT_TRUE(send_all(loop.accepted.get(), "pong"));
    EXPECT_EQ("pong", receive(loop.client.get(), 4));
  }
}

TEST(SockConnection, PeerWithoutReverseNameIsNamedByItsAddress) {
  const char* peer = nullptr;
  for (const char* candidate : {"127.0.0.2", "127.0.0.3", "127.45.67.89"})
    if (peer == nullptr && reverse_name_or_dotted(candidate) == candidate) peer = candidate;
  if (peer == nullptr) GTEST_SKIP() << "every candidate loopback address has a name here";
  SockPtr server(SOCK_make_server(0));
  const int client = bound_socket(peer);
  ASSERT_TRUE(server && client >= 0 && connect_socket(client, server->port));
  SockPtr accepted = accept_one(server.get());
  ASSERT_TRUE(accepted);
  EXPECT_STREQ(peer, SOCK_hostname(accepted.get()));
  EXPECT_STREQ(peer, SOCK_host_address(accepted.get()));
  close(client);
}

TEST(SockConnection, OneMebibyteCrossesInPiecesBothWays) {
  std::string data(1 << 20, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 131 % 251);
  Loopback loop = connect_loopback("127.0.0.1");
  ASSERT_TRUE(loop.client && loop.accepted);
  for (const bool from_client : {true, false}) {
    SCOPED_TRACE(from_client ? "client to server" : "server to client");
    const SOCK* from = from_client ? loop.client.get() : loop.accepted.get();
    const SOCK* to = from_client ? loop.accepted.get() : loop.client.get();
    bool sent = false;
    std::thread writer([&] { sent = send_all(from, data, 4099); });
    const std::string received = receive(to, data.size(), 1000);
    writer.join();
    EXPECT_TRUE(sent);
    EXPECT_TRUE(received == data) << "received " << received.size() << " bytes";
  }
}

TEST(SockConnection, AcceptingAgainOnTheSameRecordReplacesItsTexts) {
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  const int listening = server->fd;
  SockPtr first(SOCK_make_client("127.0.0.1", server->port));
  SockPtr second(SOCK_make_client("127.0.0.1", server->port));
  ASSERT_TRUE(first && second);
  ASSERT_EQ(1, SOCK_accept(server.get()));
  const int first_connection = server->fd;
  server->fd = listening;  // the caller kept the listening descriptor to accept again
  ASSERT_EQ(1, SOCK_accept(server.get()));  // the first peer's texts are released, not leaked
  EXPECT_STREQ("127.0.0.1", SOCK_host_address(server.get()));
  EXPECT_NE(listening, server->fd);
  EXPECT_EQ(0, sock_close(first_connection));
  EXPECT_EQ(0, sock_close(listening));
}

// A length of 0 takes nothing and returns 0, as at the end of the stream; but it waits as any
// read does, until data or the end of the stream is there.
TEST(SockConnection, ReadingZeroBytesWaitsForDataAndTakesNothing) {
  Loopback loop = connect_loopback("127.0.0.1");
  ASSERT_TRUE(loop.client && loop.accepted);
  char byte = '-';
  std::atomic<ssize_t> result{-2};
  std::atomic<pid_t> reader_id{0};
  std::thread reader([&] {
    reader_id = gettid();
    result = SOCK_read(loop.accepted.get(), &byte, 0);
  });
  while (result == -2 && !in_receive_call(reader_id)) std::this_thread::yield();
  EXPECT_EQ(-2, result) << "returned before any data came";
  ASSERT_TRUE(send_all(loop.client.get(), "data"));
  reader.join();
  EXPECT_EQ(0, result);
  EXPECT_EQ(0, SOCK_read(loop.accepted.get(), &byte, 0));  // data waiting: at once
  EXPECT_EQ(0, SOCK_write(loop.accepted.get(), "", 0));
  EXPECT_EQ('-', byte);
  EXPECT_EQ("data", receive(loop.accepted.get(), 4));
  loop.client.reset();
  EXPECT_EQ(0, SOCK_read(loop.accepted.get(), &byte, 0));  // end of the stream
}

// A server restarts on its port at once: after its previous run closed everything (its side
// closed first, so the port's last connection waits in TIME_WAIT), and while a connection of
// the previous run is still open, which goes on working beside the new server's. A port is
// also reached by any int with the same low 16 bits.
TEST(SockConnection, ServerRestartsOnItsPortAtOnce) {
  for (const bool previous_kept : {false, true}) {
    SCOPED_TRACE(previous_kept ? "a previous connection open" : "the previous run all closed");
    Loopback previous = connect_loopback("127.0.0.1");
    ASSERT_TRUE(previous.client && previous.accepted);
    const int port = SOCK_port_number(previous.server.get());
    previous.server.reset();
    if (!previous_kept) {
      previous.accepted.reset();
      EXPECT_EQ("", receive(previous.client.get(), 1));
      previous.client.reset();
    }
    for (const int wrapped : {port, port + 65536, port - 65536}) {
      SockPtr server(SOCK_make_server(wrapped));
      ASSERT_TRUE(server) << wrapped;
      EXPECT_EQ(port, SOCK_port_number(server.get()));
      SockPtr client(SOCK_make_client("127.0.0.1", port));
      SockPtr accepted = client ? accept_one(server.get()) : nullptr;
      ASSERT_TRUE(accepted);
      ASSERT_TRUE(send_all(client.get(), "new"));
      EXPECT_EQ("new", receive(accepted.get(), 3));
      if (previous_kept) {
        ASSERT_TRUE(send_all(previous.client.get(), "old"));
        EXPECT_EQ("old", receive(previous.accepted.get(), 3));
      }
    }
  }
}

// The header's server loop serves each waiting client in turn on a connection of its own, frees
// each connection's texts (the sanitizers would see a leak or a double free) and leaves the
// server record alone; it ends at the first accept that fails.
TEST(SockConnection, TheHeadersServerLoopServesEachClient) {
  static SOCK* server;
  static int served;
  static std::vector<std::string> peers;
  served = 0;
  peers.clear();
  SockPtr listening(SOCK_make_server(0));
  ASSERT_TRUE(listening);
  server = listening.get();
  const int listening_fd = server->fd;
  std::vector<SockPtr> clients;
  for (int i = 0; i < 3; ++i) {
    clients.emplace_back(SOCK_make_client("127.0.0.1", server->port));
    ASSERT_TRUE(clients.back() && send_all(clients.back().get(), "client " + std::to_string(i)));
  }
  CaptureStderr();
  sock_header_server_loop(server, [](SOCK* conn) {
    peers.push_back(std::string(SOCK_host_address(conn)) + " " + receive(conn, 8));
    (void)send_all(conn, "served " + std::to_string(served));
    if (++served == 3) shutdown(server->fd, SHUT_RDWR);  // the next accept fails
  });
  EXPECT_EQ("Sock error: unable to make connexion\n", GetCapturedStderr());
  EXPECT_EQ(
      (std::vector<std::string>{"127.0.0.1 client 0", "127.0.0.1 client 1", "127.0.0.1 client 2"}),
      peers);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ("served " + std::to_string(i), receive(clients[i].get(), 8));
  EXPECT_EQ(listening_fd, server->fd);
  EXPECT_EQ(nullptr, server->hostname);
}

TEST(SockConnection, WritingToGonePeerFailsWithoutSignal) {
  Loopback loop = connect_loopback("127.0.0.1");
  ASSERT_TRUE(loop.client && loop.accepted);
  loop.accepted.reset();
  EXPECT_EQ("", receive(loop.client.get(), 1));
  // The first write may still be taken before the peer's reset comes back.
  ssize_t result = 0;
  for (int attempt = 0; attempt < 100 && result >= 0; ++attempt)
    result = SOCK_write(loop.client.get(), "x", 1);
  EXPECT_EQ(-1, result);
  EXPECT_TRUE(errno == EPIPE || errno == ECONNRESET) << errno;
}

// Load: 200 clients served one after another by one server, in batches within the backlog so
// that each connect completes before its accept; nothing lost, no descriptor left open.
TEST(SockLoad, TwoHundredClientsThroughOneServerLoseNothing) {
  constexpr int kClients = 200;
  constexpr int kBatch = 5;
  const auto numbered = [](const char* word, int i) {
    return word + std::to_string(1000 + i).substr(1);
  };
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
        ASSERT_TRUE(send_all(clients.back().get(), numbered("client ", i)));
      }
      for (int i = first; i < first + kBatch; ++i) {
        SockPtr connection = accept_one(server.get());
        ASSERT_TRUE(connection);
        const std::string question = receive(connection.get(), 10);
        ASSERT_EQ("client ", question.substr(0, 7));
        ASSERT_TRUE(send_all(connection.get(), "answer " + question.substr(7)));
      }
      for (int i = first; i < first + kBatch; ++i) {
        EXPECT_EQ(numbered("answer ", i), receive(clients[i - first].get(), 10));
        ++answered;
      }
    }
    EXPECT_EQ(kClients, answered);
  }
  EXPECT_EQ(before, open_descriptors());
}

}  // namespace
