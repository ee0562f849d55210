// SOCK_make_client: a connection to a named host.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "descriptor.h"
#include "record.h"
#include "report.h"
#include "sock.h"

namespace {

constexpr std::size_t kMessageSize = 100;
constexpr char kUnknownHost[] = "unknown or misspelled host name `";
constexpr char kCutMark[] = "...";

// Reports an unknown host. The message must fit its 100 bytes, so a longer name is shown by its
// start followed by "...".
void report_unknown_host(const char* host) {
  constexpr std::size_t kRoom = kMessageSize - (sizeof kUnknownHost - 1) - 2;  // quote and NUL
  constexpr int kShownWhenCut = static_cast<int>(kRoom - (sizeof kCutMark - 1));
  char message[kMessageSize];
  if (std::strlen(host) <= kRoom)
    std::snprintf(message, sizeof message, "%s%s'", kUnknownHost, host);
  else
    std::snprintf(message, sizeof message, "%s%.*s%s'", kUnknownHost, kShownWhenCut, host,
                  kCutMark);
  sock_internal::report(message);
}

}  // namespace

extern "C" SOCK* SOCK_make_client(const char* host, int port) {
  constexpr char kExhausted[] = "memory exausted";
  if (host == nullptr) host = "";
  const hostent* found = gethostbyname(host);
  if (found == nullptr || found->h_addrtype != AF_INET || found->h_addr_list[0] == nullptr) {
    report_unknown_host(host);
    return nullptr;
  }
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<std::uint16_t>(port));
  std::memcpy(&server.sin_addr, found->h_addr_list[0], sizeof server.sin_addr);

  sock_internal::Descriptor socket_fd(socket(AF_INET, SOCK_STREAM, 0));
  if (!socket_fd.valid()) {
    sock_internal::report("cannot create socket");
    return nullptr;
  }
  if (connect(socket_fd.get(), reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
    sock_internal::report("cannot set connexion");
    return nullptr;
  }
  SOCK* record = sock_internal::new_record(kExhausted);
  record->port = ntohs(server.sin_port);
  // The lookup's static result is still intact: socket and connect do not touch it.
  sock_internal::set_texts(record, found->h_name, inet_ntoa(server.sin_addr), kExhausted);
  record->fd = socket_fd.release();
  return record;
}
