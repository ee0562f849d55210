/* The typical server loop of sock.h, compiled from the header's own lines (the build copies them
 * into sock_header_server_loop.inc), so that the example stays one that works. */
#include <stdlib.h>

#include "sock.h"

/* Runs the loop on `server`: `serve` is called for each connection accepted, and the loop ends
 * when an accept fails. */
void sock_header_server_loop(SOCK* server, void (*serve)(SOCK* conn)) {
#include "sock_header_server_loop.inc"
}
