// Helpers of the sock tests: records released at scope end, a server with one connected client,
// whole-message transfers and a count of open descriptors.
#ifndef MORVAC_TESTS_SOCK_LOOPBACK_H
#define MORVAC_TESTS_SOCK_LOOPBACK_H

#include <cstddef>
#include <memory>
#include <string>

#include "sock.h"

struct ReleaseSock {
  void operator()(SOCK* record) const { SOCK_shutdown(record, 1); }
};
using SockPtr = std::unique_ptr<SOCK, ReleaseSock>;

// A server on a port the system chose, a client connected to it and the server's side of that
// connection; client and accepted are null when connecting failed.
struct Loopback {
  SockPtr server;
  SockPtr client;
  SockPtr accepted;
};
Loopback connect_loopback(const char* host, int port_offset = 0);

// Returns a record for the next connection on `server`, which keeps listening; null on failure.
SockPtr accept_one(const SOCK* server);

// Returns true once all of `data` went out through SOCK_write calls of at most `piece` bytes.
bool send_all(const SOCK* record, const std::string& data, std::size_t piece = 4096);

// Returns the next `size` bytes read through SOCK_read calls of at most `piece` bytes, fewer if
// the stream ends or fails first.
std::string receive(const SOCK* record, std::size_t size, std::size_t piece = 4096);

// Returns a plain TCP socket bound to `dotted`, port chosen by the system, or -1.
int bound_socket(const char* dotted);

// Returns the port a plain socket is bound to, 0 when unknown.
int bound_port(int fd);

// Returns true once plain socket `fd` is connected to 127.0.0.1 at `port`.
bool connect_socket(int fd, int port);

// Returns the system resolver's name for the IPv4 address `dotted`, or `dotted` when it has none.
std::string reverse_name_or_dotted(const char* dotted);

// Returns the number of descriptors this process has open.
std::size_t open_descriptors();

#endif  // MORVAC_TESTS_SOCK_LOOPBACK_H
