/* Reading, writing, duplicating, closing and querying a record. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "record.h"
#include "report.h"
#include "sharing.h"
#include "sock.h"

void SOCK_shutdown(SOCK* record, int release) {
  if (record == NULL) return;
  if (record->fd >= 0) close(record->fd);
  record->fd = -1;
  if (release == 0) {
    sock_internal_end_sharing(record);
    return;
  }
  sock_internal_drop_texts(record);
  free(record);
}

int SOCK_port_number(const SOCK* record) {
  return record != NULL ? record->port : 0;
}

ssize_t SOCK_read(const SOCK* record, void* buffer, unsigned int length) {
  return recv(record->fd, buffer, length, 0);
}

ssize_t SOCK_write(const SOCK* record, const void* buffer, unsigned int length) {
  /* A peer that has gone must cost the caller an error code, not the process. */
  return send(record->fd, buffer, length, MSG_NOSIGNAL);
}

char* SOCK_hostname(const SOCK* record) {
  return record != NULL ? record->hostname : NULL;
}

char* SOCK_host_address(const SOCK* record) {
  return record != NULL ? record->address : NULL;
}

SOCK* SOCK_dup(const SOCK* record) {
  static const char kExhausted[] = "memory exhausted";
  SOCK* copy;
  const int copy_fd = dup(record->fd);
  if (copy_fd < 0) {
    sock_internal_report("cannot duplicate socket");
    return NULL;
  }
  copy = sock_internal_new_record(kExhausted);
  *copy = *record;
  copy->fd = copy_fd;
  /* The same texts: the table remembers that they are shared, so that they are freed once. */
  sock_internal_share_texts(record, copy);
  return copy;
}

const char* SOCK_local_address(const SOCK* record) {
  struct sockaddr_in local;
  socklen_t length = sizeof local;
  if (record == NULL) return NULL;
  memset(&local, 0, sizeof local);
  if (getsockname(record->fd, (struct sockaddr*)&local, &length) != 0) {
    sock_internal_report("cannot get socket name");
    return NULL;
  }
  return inet_ntoa(local.sin_addr);
}

void SOCK_init(void) {}

int sock_close(int fd) {
  return close(fd);
}
