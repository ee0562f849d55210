#include "loopback.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace {

sockaddr_in ipv4(const char* dotted, int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, dotted, &address.sin_addr);
  return address;
}

}  // namespace

SockPtr accept_one(const SOCK* server) {
  SockPtr connection(SOCK_dup(server));
  if (!connection) return nullptr;
  const int listening_copy = connection->fd;
  if (SOCK_accept(connection.get()) != 1) return nullptr;
  (void)sock_close(listening_copy);
  return connection;
}

Loopback connect_loopback(const char* host, int port_offset) {
  Loopback loopback;
  loopback.server.reset(SOCK_make_server(0));
  if (!loopback.server) return loopback;
  loopback.client.reset(
      SOCK_make_client(host, SOCK_port_number(loopback.server.get()) + port_offset));
  if (loopback.client) loopback.accepted = accept_one(loopback.server.get());
  return loopback;
}

bool send_all(const SOCK* record, const std::string& data, std::size_t piece) {
  for (std::size_t sent = 0; sent < data.size();) {
    const auto length = static_cast<unsigned int>(std::min(piece, data.size() - sent));
    const ssize_t count = SOCK_write(record, data.data() + sent, length);
    if (count <= 0) return false;
    sent += static_cast<std::size_t>(count);
  }
  return true;
}

std::string receive(const SOCK* record, std::size_t size, std::size_t piece) {
  std::string data(size, '\0');
  std::size_t received = 0;
  while (received < size) {
    const auto length = static_cast<unsigned int>(std::min(piece, size - received));
    const ssize_t count = SOCK_read(record, &data[received], length);
    if (count <= 0) break;
    received += static_cast<std::size_t>(count);
  }
  data.resize(received);
  return data;
}

std::size_t open_descriptors() {
  const std::filesystem::directory_iterator entries("/proc/self/fd");
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

int bound_socket(const char* dotted) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = ipv4(dotted, 0);
  if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
    return fd;
  if (fd >= 0) close(fd);
  return -1;
}

int bound_port(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

bool connect_socket(int fd, int port) {
  const sockaddr_in address = ipv4("127.0.0.1", port);
  return connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

std::string reverse_name_or_dotted(const char* dotted) {
  const sockaddr_in address = ipv4(dotted, 0);
  char name[NI_MAXHOST];
  const bool named = getnameinfo(reinterpret_cast<const sockaddr*>(&address), sizeof address, name,
                                 sizeof name, nullptr, 0, NI_NAMEREQD) == 0;
  return named ? name : dotted;
}
