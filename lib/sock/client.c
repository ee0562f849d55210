/* SOCK_make_client: a connection to a named host. */
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <stdio.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "record.h"
#include "report.h"
#include "sock.h"

#define MESSAGE_SIZE 100

static const char kUnknownHost[] = "unknown or misspelled host name `";
static const char kCutMark[] = "...";

/* Reports an unknown host. The message must fit its 100 bytes, so a longer name is shown by its
 * start followed by "...". */
static void report_unknown_host(const char* host) {
  const size_t room = MESSAGE_SIZE - (sizeof kUnknownHost - 1) - 2; /* quote and NUL */
  const int shown_when_cut = (int)(room - (sizeof kCutMark - 1));
  char message[MESSAGE_SIZE];
  if (strlen(host) <= room)
    snprintf(message, sizeof message, "%s%s'", kUnknownHost, host);
  else
    snprintf(message, sizeof message, "%s%.*s%s'", kUnknownHost, shown_when_cut, host, kCutMark);
  sock_internal_report(message);
}

SOCK* SOCK_make_client(const char* host, int port) {
  static const char kExhausted[] = "memory exausted";
  const struct hostent* found;
  struct sockaddr_in server;
  int socket_fd;
  SOCK* record;

  if (host == NULL) host = "";
  found = gethostbyname(host);
  if (found == NULL || found->h_addrtype != AF_INET || found->h_addr_list[0] == NULL) {
    report_unknown_host(host);
    return NULL;
  }
  memset(&server, 0, sizeof server);
  server.sin_family = AF_INET;
  server.sin_port = htons((uint16_t)port);
  memcpy(&server.sin_addr, found->h_addr_list[0], sizeof server.sin_addr);

  socket_fd = socket(AF_INET, SOCK_STREAM, 0);
  if (socket_fd < 0) {
    sock_internal_report("cannot create socket");
    return NULL;
  }
  if (connect(socket_fd, (const struct sockaddr*)&server, sizeof server) != 0) {
    close(socket_fd);
    sock_internal_report("cannot set connexion");
    return NULL;
  }
  record = sock_internal_new_record(kExhausted);
  record->port = ntohs(server.sin_port);
  /* The lookup's static result is still intact: socket and connect do not touch it. */
  record->hostname = sock_internal_copy_text(found->h_name, kExhausted);
  record->address = sock_internal_copy_text(inet_ntoa(server.sin_addr), kExhausted);
  record->fd = socket_fd;
  return record;
}
