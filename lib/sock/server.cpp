// SOCK_make_server and SOCK_accept: the listening side.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <cstdio>

#include "descriptor.h"
#include "record.h"
#include "report.h"
#include "sock.h"

namespace {

constexpr char kExhausted[] = "memory exhausted";
constexpr int kBacklog = 5;

}  // namespace

extern "C" SOCK* SOCK_make_server(int port) {
  sock_internal::Descriptor socket_fd(socket(AF_INET, SOCK_STREAM, 0));
  if (!socket_fd.valid()) {
    sock_internal::report("Cannot create socket");
    return nullptr;
  }
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(static_cast<std::uint16_t>(port));
  if (bind(socket_fd.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    sock_internal::report("Cannot create socket");
    return nullptr;
  }
  socklen_t length = sizeof local;
  if (getsockname(socket_fd.get(), reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
      listen(socket_fd.get(), kBacklog) != 0) {
    sock_internal::report("cannot create socket");
    return nullptr;
  }
  SOCK* record = sock_internal::new_record(kExhausted);
  record->port = ntohs(local.sin_port);
  record->fd = socket_fd.release();
  return record;
}

extern "C" int SOCK_accept(SOCK* record) {
  if (record == nullptr) return 0;
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  sock_internal::Descriptor connection(
      accept(record->fd, reinterpret_cast<sockaddr*>(&peer), &length));
  if (!connection.valid()) {
    sock_internal::report("unable to make connexion");
    return 0;
  }
  // Copied at once: inet_ntoa's buffer is reused by the next conversion.
  char dotted[INET_ADDRSTRLEN];
  std::snprintf(dotted, sizeof dotted, "%s", inet_ntoa(peer.sin_addr));
  const hostent* named = gethostbyaddr(&peer.sin_addr, sizeof peer.sin_addr, AF_INET);
  const char* hostname = named != nullptr ? named->h_name : dotted;
  sock_internal::set_texts(record, hostname, dotted, kExhausted);
  record->fd = connection.release();
  return 1;
}
