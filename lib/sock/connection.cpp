// Reading, writing, duplicating, closing and querying a record.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "record.h"
#include "report.h"
#include "sock.h"

extern "C" {

void SOCK_shutdown(SOCK* record, int release) {
  if (record == nullptr) return;
  if (record->fd >= 0) close(record->fd);
  record->fd = -1;
  if (release != 0) sock_internal::release_record(record);
}

int SOCK_port_number(const SOCK* record) {
  return record != nullptr ? record->port : 0;
}

ssize_t SOCK_read(const SOCK* record, void* buffer, unsigned int length) {
  return recv(record->fd, buffer, length, 0);
}

ssize_t SOCK_write(const SOCK* record, const void* buffer, unsigned int length) {
  // A peer that has gone must cost the caller an error code, not the process.
  return send(record->fd, buffer, length, MSG_NOSIGNAL);
}

char* SOCK_hostname(const SOCK* record) {
  return record != nullptr ? record->hostname : nullptr;
}

char* SOCK_host_address(const SOCK* record) {
  return record != nullptr ? record->address : nullptr;
}

SOCK* SOCK_dup(const SOCK* record) {
  const int copy_fd = dup(record->fd);
  if (copy_fd < 0) {
    sock_internal::report("cannot duplicate socket");
    return nullptr;
  }
  SOCK* copy = sock_internal::new_record("memory exhausted");
  copy->port = record->port;
  sock_internal::share_texts(record, copy);
  copy->fd = copy_fd;
  return copy;
}

const char* SOCK_local_address(const SOCK* record) {
  if (record == nullptr) return nullptr;
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (getsockname(record->fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    sock_internal::report("cannot get socket name");
    return nullptr;
  }
  return inet_ntoa(local.sin_addr);
}

void SOCK_init(void) {}

int sock_close(int fd) {
  return close(fd);
}

}  // extern "C"
