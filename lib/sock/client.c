/* SOCK_make_client: a connection to a named host. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "lookup.h"
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
  struct sockaddr_in server;
  char dotted[INET_ADDRSTRLEN];
  char* official_name;
  int socket_fd;
  SOCK* record;

  if (host == NULL) host = "";
  memset(&server, 0, sizeof server);
  official_name = sock_internal_look_up_name(host, &server.sin_addr, kExhausted);
  if (official_name == NULL) {
    report_unknown_host(host);
    return NULL;
  }
  server.sin_family = AF_INET;
  server.sin_port = htons((uint16_t)port);

  socket_fd = socket(AF_INET, SOCK_STREAM, 0);
  if (socket_fd < 0) {
    free(official_name);
    sock_internal_report("cannot create socket");
    return NULL;
  }
  if (connect(socket_fd, (const struct sockaddr*)&server, sizeof server) != 0) {
    free(official_name);
    close(socket_fd);
    sock_internal_report("cannot set connexion");
    return NULL;
  }
  record = sock_internal_new_record(kExhausted);
  record->port = ntohs(server.sin_port);
  record->hostname = official_name;
  inet_ntop(AF_INET, &server.sin_addr, dotted, sizeof dotted);
  record->address = sock_internal_copy_text(dotted, kExhausted);
  record->fd = socket_fd;
  return record;
}
