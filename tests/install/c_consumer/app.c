/* A C program of someone else's using the installed sock library as its header shows: a server,
 * a client, the connection accepted into a copy of the server record made by assignment, a
 * SOCK_dup of that sharing its texts, a message each way, everything released (the copy first,
 * then the record on the stack and its texts). Prints "sock: ping pong" when all went as
 * documented. Written in C89, so that it also proves the header in every language mode. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <morvac/sock.h>

/* Returns 1 when `count` bytes read from `from` spell `expected`. */
static int reads(const SOCK* from, const char* expected) {
  char buffer[8];
  const unsigned int count = (unsigned int)strlen(expected);
  memset(buffer, 0, sizeof buffer);
  return SOCK_read(from, buffer, count) == (ssize_t)count && strcmp(buffer, expected) == 0;
}

int main(void) {
  SOCK* server = SOCK_make_server(0);
  SOCK* client = NULL;
  SOCK* copy;
  SOCK conn;
  int ok = server != NULL && SOCK_port_number(server) > 0;
  if (ok) client = SOCK_make_client("127.0.0.1", SOCK_port_number(server));
  if (client != NULL) {
    conn = *server;
    ok = SOCK_accept(&conn) == 1;
  }
  if (client != NULL && ok) {
    copy = SOCK_dup(&conn);
    ok = copy != NULL && strcmp(SOCK_host_address(copy), "127.0.0.1") == 0 &&
         copy->address == conn.address;
    ok = ok && SOCK_write(client, "ping", 4) == 4 && reads(copy, "ping");
    SOCK_shutdown(copy, 1);
    ok = ok && SOCK_write(&conn, "pong", 4) == 4 && reads(client, "pong");
    SOCK_shutdown(&conn, 0);
    free(conn.hostname);
    free(conn.address);
  }
  ok = ok && client != NULL;
  SOCK_shutdown(client, 1);
  SOCK_shutdown(server, 1);
  puts(ok ? "sock: ping pong" : "sock: failed");
  return ok ? 0 : 1;
}
