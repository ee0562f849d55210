/* SOCK_make_server and SOCK_accept: the listening side. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "lookup.h"
#include "record.h"
#include "report.h"
#include "sharing.h"
#include "sock.h"

#define BACKLOG 5

static const char kExhausted[] = "memory exhausted";
static const int kReuse = 1;

/* Closes `fd`, reports `message` and returns null: the end of every failed step. */
static SOCK* fail_closing(int fd, const char* message) {
  close(fd);
  sock_internal_report(message);
  return NULL;
}

SOCK* SOCK_make_server(int port) {
  struct sockaddr_in local;
  socklen_t length = sizeof local;
  SOCK* record;
  const int socket_fd = socket(AF_INET, SOCK_STREAM, 0);

  if (socket_fd < 0) {
    sock_internal_report("Cannot create socket");
    return NULL;
  }
  memset(&local, 0, sizeof local);
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons((uint16_t)port);
  /* A server restarts on its port at once, also while connections of its previous run are open
   * or closing; a port that another socket listens on stays refused. A socket that refused the
   * option would still bind to a free port, so its answer is not needed. */
  (void)setsockopt(socket_fd, SOL_SOCKET, SO_REUSEADDR, &kReuse, sizeof kReuse);
  if (bind(socket_fd, (const struct sockaddr*)&local, sizeof local) != 0)
    return fail_closing(socket_fd, "Cannot create socket");
  if (getsockname(socket_fd, (struct sockaddr*)&local, &length) != 0 ||
      listen(socket_fd, BACKLOG) != 0)
    return fail_closing(socket_fd, "cannot create socket");
  record = sock_internal_new_record(kExhausted);
  record->port = ntohs(local.sin_port);
  record->fd = socket_fd;
  return record;
}

int SOCK_accept(SOCK* record) {
  struct sockaddr_in peer;
  socklen_t length = sizeof peer;
  char dotted[INET_ADDRSTRLEN];
  char* name;
  int connection;

  if (record == NULL) return 0;
  memset(&peer, 0, sizeof peer);
  connection = accept(record->fd, (struct sockaddr*)&peer, &length);
  if (connection < 0) {
    sock_internal_report("unable to make connexion");
    return 0;
  }
  inet_ntop(AF_INET, &peer.sin_addr, dotted, sizeof dotted);
  name = sock_internal_look_up_address(peer.sin_addr, kExhausted);
  sock_internal_drop_texts(record);
  record->hostname = name != NULL ? name : sock_internal_copy_text(dotted, kExhausted);
  record->address = sock_internal_copy_text(dotted, kExhausted);
  record->fd = connection;
  return 1;
}
