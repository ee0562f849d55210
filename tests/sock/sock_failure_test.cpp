// Failures: each one returns null or 0 and writes its exact line on standard error.
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "loopback.h"

// The same null-record calls made from C (c_caller.c); returns how many answered wrongly.
extern "C" int sock_null_calls_from_c();

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

TEST(SockFailure, NullRecordsAnswerAtOnceWithoutMessage) {
  CaptureStderr();
  EXPECT_EQ(0, SOCK_accept(nullptr));
  SOCK_shutdown(nullptr, 0);
  SOCK_shutdown(nullptr, 1);
  EXPECT_EQ(0, SOCK_port_number(nullptr));
  EXPECT_EQ(nullptr, SOCK_hostname(nullptr));
  EXPECT_EQ(nullptr, SOCK_host_address(nullptr));
  EXPECT_EQ(nullptr, SOCK_local_address(nullptr));
  SOCK_init();
  EXPECT_EQ(0, sock_null_calls_from_c());
  EXPECT_EQ("", GetCapturedStderr());
}

TEST(SockFailure, UnknownHostIsNamedAndLongNamesAreCut) {
  // An empty label is refused by the resolver itself, so no lookup waits on the network.
  const std::string fits = "no.." + std::string(61, 'a');  // 65 characters: the most that fit
  const std::string cut = "no.." + std::string(200, 'b');
  const struct {
    std::string host, message;
  } cases[] = {
      {"no..such.host", "no..such.host'"},
      {"", "'"},
      {fits, fits + "'"},
      {fits + "c", fits.substr(0, 62) + "...'"},
      {cut, cut.substr(0, 62) + "...'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    CaptureStderr();
    EXPECT_EQ(nullptr, SOCK_make_client(c.host.c_str(), 80));
    EXPECT_EQ("Sock error: unknown or misspelled host name `" + c.message + "\n",
              GetCapturedStderr());
  }
}

TEST(SockFailure, RefusedConnectionAndBusyPortLeakNothing) {
  // A bound socket that does not listen keeps its port free of listeners for the whole test.
  const int silent = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(0, bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address));
  ASSERT_EQ(0, getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length));
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  const std::size_t before = open_descriptors();

  CaptureStderr();
  EXPECT_EQ(nullptr, SOCK_make_client("127.0.0.1", ntohs(address.sin_port)));
  EXPECT_EQ("Sock error: cannot set connexion\n", GetCapturedStderr());
  CaptureStderr();
  EXPECT_EQ(nullptr, SOCK_make_server(SOCK_port_number(server.get())));
  EXPECT_EQ("Sock error: Cannot create socket\n", GetCapturedStderr());
  EXPECT_EQ(before, open_descriptors());
  close(silent);
}

TEST(SockFailure, ClosedRecordRefusesAcceptDupAndLocalAddress) {
  Loopback loop = connect_loopback("127.0.0.1");
  ASSERT_TRUE(loop.client);
  SOCK* closed = loop.client.get();
  SOCK_shutdown(closed, 0);
  const SOCK before = *closed;
  const struct {
    std::function<bool()> call;
    const char* message;
  } cases[] = {
      {[&] { return SOCK_accept(closed) == 0; }, "unable to make connexion"},
      {[&] { return SOCK_dup(closed) == nullptr; }, "cannot duplicate socket"},
      {[&] { return SOCK_local_address(closed) == nullptr; }, "cannot get socket name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    CaptureStderr();
    EXPECT_TRUE(c.call());
    EXPECT_EQ(std::string("Sock error: ") + c.message + "\n", GetCapturedStderr());
    EXPECT_EQ(before.fd, closed->fd);
    EXPECT_EQ(before.hostname, closed->hostname);
    EXPECT_EQ(before.address, closed->address);
  }
}

TEST(SockFailure, NoDescriptorLeftMeansNoSocket) {
  SockPtr server(SOCK_make_server(0));
  ASSERT_TRUE(server);
  // The first lookup reads the resolver's configuration files: let it while descriptors are free.
  ASSERT_TRUE(SockPtr(SOCK_make_client("127.0.0.1", server->port)));
  rlimit saved{};
  ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &saved));
  const int lowest_free = dup(2);
  close(lowest_free);
  rlimit exhausted = saved;
  exhausted.rlim_cur = static_cast<rlim_t>(lowest_free);
  const struct {
    std::function<bool()> call;
    const char* message;
  } cases[] = {
      {[&] { return SOCK_make_client("127.0.0.1", server->port) == nullptr; },
       "cannot create socket"},
      {[] { return SOCK_make_server(0) == nullptr; }, "Cannot create socket"},
      {[&] { return SOCK_dup(server.get()) == nullptr; }, "cannot duplicate socket"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    CaptureStderr();
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &exhausted));
    const bool failed = c.call();
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &saved));
    EXPECT_TRUE(failed);
    EXPECT_EQ(std::string("Sock error: ") + c.message + "\n", GetCapturedStderr());
  }
}

}  // namespace
