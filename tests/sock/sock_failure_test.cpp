// Failures: each one returns null or 0, writes its exact line on standard error and leaks
// nothing.
#include <sys/resource.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loopback.h"

// The null-record calls, made from C (c_caller.c); returns how many answered wrongly.
extern "C" int sock_null_calls_from_c();

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

struct Failure {
  std::function<bool()> fails;  // makes the call, true when it answered null or 0
  std::string line;             // expected on standard error after "Sock error: "
};

void expect_failures(const std::vector<Failure>& cases) {
  const std::size_t descriptors = open_descriptors();
  for (const Failure& c : cases) {
    SCOPED_TRACE(c.line);
    CaptureStderr();
    EXPECT_TRUE(c.fails());
    EXPECT_EQ("Sock error: " + c.line + "\n", GetCapturedStderr());
  }
  EXPECT_EQ(descriptors, open_descriptors());
}

TEST(SockFailure, NullRecordsAnswerAtOnceWithoutMessage) {
  CaptureStderr();
  EXPECT_EQ(0, sock_null_calls_from_c());
  EXPECT_EQ("", GetCapturedStderr());
}

TEST(SockFailure, EachFailureWritesItsLine) {
  // Bound without SO_REUSEADDR and never listening: its port refuses connections, and servers,
  // for the whole test.
  const int silent = bound_socket("127.0.0.1");
  Loopback loop = connect_loopback("localhost");
  ASSERT_TRUE(silent >= 0 && loop.accepted);
  SOCK* closed = loop.client.get();
  char* hostname = closed->hostname;
  SOCK_shutdown(closed, 0);
  EXPECT_EQ("", receive(loop.accepted.get(), 1));  // the peer sees the end of the stream
  // An empty label is refused by the resolver itself, so no lookup waits on the network.
  const std::string fits = "no.." + std::string(61, 'a');  // 65 characters: the most that fit
  const std::string cut = "no.." + std::string(200, 'b');
  const auto unknown = [](const std::string& host) {
    return [host] { return SOCK_make_client(host.c_str(), 80) == nullptr; };
  };
  const std::string no_host = "unknown or misspelled host name `";
  expect_failures({
      {unknown("no..such.host"), no_host + "no..such.host'"},
      {unknown(""), no_host + "'"},
      {unknown(fits), no_host + fits + "'"},
      {unknown(fits + "c"), no_host + fits.substr(0, 62) + "...'"},
      {unknown(cut), no_host + cut.substr(0, 62) + "...'"},
      {[&] { return !SOCK_make_client("127.0.0.1", bound_port(silent)); }, "cannot set connexion"},
      {[&] { return !SOCK_make_server(loop.server->port); }, "Cannot create socket"},
      {[&] { return !SOCK_make_server(bound_port(silent)); }, "Cannot create socket"},
      {[&] { return SOCK_accept(closed) == 0; }, "unable to make connexion"},
      {[&] { return !SOCK_dup(closed); }, "cannot duplicate socket"},
      {[&] { return !SOCK_local_address(closed); }, "cannot get socket name"},
  });
  // Closed without release, the record keeps its texts, and no failure changed it.
  EXPECT_EQ(-1, closed->fd);
  EXPECT_EQ(hostname, closed->hostname);
  EXPECT_STREQ("localhost", closed->hostname);
  EXPECT_STREQ("127.0.0.1", closed->address);
  close(silent);
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
  const auto without_descriptors = [&](const std::function<bool()>& call) {
    return [&saved, lowest_free, call] {
      rlimit exhausted = saved;
      exhausted.rlim_cur = static_cast<rlim_t>(lowest_free);
      const bool limited = setrlimit(RLIMIT_NOFILE, &exhausted) == 0;
      const bool failed = call();
      return setrlimit(RLIMIT_NOFILE, &saved) == 0 && limited && failed;
    };
  };
  expect_failures({
      {without_descriptors([&] { return !SOCK_make_client("127.0.0.1", server->port); }),
       "cannot create socket"},
      {without_descriptors([] { return !SOCK_make_server(0); }), "Cannot create socket"},
      {without_descriptors([&] { return !SOCK_dup(server.get()); }), "cannot duplicate socket"},
  });
}

}  // namespace
