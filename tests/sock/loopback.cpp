#include "loopback.h"

#include <algorithm>
#include <filesystem>

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
