/* sock: TCP client and server helpers over IPv4 stream sockets, for C and C++.
 *
 * Each connection or listening server is described by one `SOCK` record. Every failure is written
 * to standard error as one line, "Sock error: " followed by a fixed message, and the function
 * returns null or 0. The library is written in C and needs nothing beyond the C library:
 * `cc app.c -lsock` links it, static or shared. The header compiles as C89 and later and as
 * C++11 and later.
 *
 * Records and their texts. A record is the four fields below and nothing else, so a record may
 * live anywhere (on the module's heap, the caller's heap, the stack, or as a copy made by
 * assignment) and the functions that take one work on it alike. A text put in a record must come
 * from malloc.
 *   - SOCK_make_client, SOCK_make_server and SOCK_dup return records allocated with malloc;
 *     SOCK_shutdown(record, 1) frees the record and its texts. A record the caller did not get
 *     from malloc is closed with SOCK_shutdown(record, 0) and its texts freed by the caller.
 *   - A text that no group (below) owns belongs to the record holding it: the caller may free,
 *     replace or clear it, and SOCK_shutdown(record, 1) frees it (once when both fields hold
 *     it). So are the texts of a record never duplicated, and those the caller puts in a record
 *     after its last duplication.
 *   - SOCK_dup shares texts: the copy holds the very pointers its source holds. The source and
 *     its copies, and their copies, form a group, and every text the source holds when it is
 *     duplicated becomes the group's. The module frees the group's texts, once each, when the
 *     last record of the group is released or accepts a connection, whatever the records hold
 *     by then; releasing the others frees only the texts they hold that are no group's. So in any
 *     record of a group the caller may clear a text or replace it by one of its own (the group
 *     keeps the old one), but must never free a text of the group itself.
 *   - SOCK_shutdown(record, 0) on the last record of its group ends the group: the texts the
 *     record holds become its own again, as if it had never been duplicated, and the group's other
 *     texts are freed. A record on the stack that was duplicated is ended in this order: release
 *     its copies, then SOCK_shutdown(&rec, 0), then free its texts (once when they are one).
 *   - SOCK_accept frees the texts the record owns and takes it out of its group (the group keeps
 *     its texts) before it gives it the peer's.
 *   - A copy made by assignment holds the same texts but joins no group; the module never frees
 *     a group's text through it, so such a copy may use those texts while the group lasts.
 *   Apart from this the module keeps no state. It keeps one table because a record has only its
 *   four fields, so nothing in a record can say that its texts are shared: the table lists, by
 *   address, the records of each group and the texts the group owns. It holds nothing while no
 *   group exists (records never duplicated, or duplicated while holding no text, as a server is,
 *   cost nothing), and the module only compares the addresses in it: it never reads a record
 *   other than the one passed to it.
 *
 * Typical server loop: each connection is accepted into a copy of the server record made by
 * assignment (a server has no texts), so the server record goes on listening:
 *   SOCK conn = *server;
 *   while (SOCK_accept(&conn)) {  // conn: the connection; server->fd is left alone
 *     serve(&conn);
 *     SOCK_shutdown(&conn, 0);    // closes the connection
 *     free(conn.hostname);
 *     free(conn.address);
 *     conn = *server;
 *   }
 *
 * Threads: any number of threads may call the module at once, with no lock of their own. The table
 * of groups has a lock of its own, taken only inside the module and never held while a call waits
 * on a descriptor or the network; host lookups keep their results in memory of their own call. So
 * records of one group (made by SOCK_dup) may be used and released on different threads in any
 * order. One record is shared as any C structure is: calls that only read it (SOCK_read,
 * SOCK_write, SOCK_dup and the queries) may run on several threads at once, but SOCK_accept,
 * SOCK_shutdown and the caller's own changes to its fields must not run while another thread uses
 * it. A server that accepts on one thread and serves each connection on another accepts into a
 * record of its own: `conn = SOCK_dup(server)`, then `listening = conn->fd`, `SOCK_accept(conn)`
 * and `sock_close(listening)`; the serving thread ends with `SOCK_shutdown(conn, 1)`.
 *
 * Listen backlog: a server queues 5 connections that it has not accepted yet. A client that
 * connects while the queue is full may see its connect call succeed all the same; on Linux its
 * connection reaches SOCK_accept only when the client sends data and finds room in the queue. So a
 * client that writes first is accepted later, once its data is sent again, and one that waits for
 * the server to speak first may wait for ever. (With the system setting
 * net.ipv4.tcp_abort_on_overflow, the system resets such connections instead: the client's connect
 * call fails, "cannot set connexion", or its next read or write fails with ECONNRESET.) On loopback
 * (Linux 6.18, bench/sock_burst), with 50 client processes connecting at once to a server accepting
 * as fast as it can and writing one byte on each connection, every connect succeeded; of clients
 * that wait for the server, 19 to 35 were served and the others still waited after 90 s; of clients
 * that write first, 50 of 50 were served within 10 s, and 997 and 1000 of 1000 in two runs with
 * 1000. A server that meets bursts accepts on a thread of its own; a client that can writes first,
 * or gives up after a time and connects again.
 */
#ifndef MORVAC_SOCK_H
#define MORVAC_SOCK_H

#include <sys/types.h>

/* Results that must not be ignored are marked where the language has the attribute. */
#if defined(__cplusplus)
#if __cplusplus >= 201703L
#define SOCK_NODISCARD [[nodiscard]]
#endif
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ > 201710L
#define SOCK_NODISCARD [[nodiscard]]
#endif
#ifndef SOCK_NODISCARD
#define SOCK_NODISCARD
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One connection or listening server. */
typedef struct SOCK {
  int port;       /* port number in host byte order (16 bits) */
  char* hostname; /* client: the server's official name; accepted connection: the peer's name
                     or, without a reverse-lookup name, its dotted address; server: null */
  char* address;  /* dotted IPv4 address of the server (client) or of the peer (accepted);
                     server: null */
  int fd;         /* the socket descriptor; -1 after SOCK_shutdown */
} SOCK;

/* Returns a new record connected to `host` at the low 16 bits of `port` (the record's port holds
 * them), or null after reporting "unknown or misspelled host name `<host>'",
 * "cannot create socket" or "cannot set connexion". A host name longer than 65 characters is
 * shown as its first 62 characters followed by "..."; a null host is reported as an empty name. */
SOCK_NODISCARD SOCK* SOCK_make_client(const char* host, int port);

/* Returns a new record listening on every local address at the low 16 bits of `port` (when they
 * are 0 the system chooses; the port is in the record) with a backlog of 5, or null after
 * reporting "Cannot create socket" (socket or bind failed: a port that another socket listens
 * on, or that a socket without SO_REUSEADDR is bound to) or "cannot create socket". The socket
 * has SO_REUSEADDR, so a server restarts on its port at once, also while connections of a
 * previous server on that port are open or closing. */
SOCK_NODISCARD SOCK* SOCK_make_server(int port);

/* Waits for a connection on the record's descriptor and returns 1 once the record describes it
 * (fd, peer's address and name; the texts it owned freed, out of its group; the listening
 * descriptor neither closed nor kept). Returns 0 for a null record, or after reporting
 * "unable to make connexion" with the record unchanged. */
SOCK_NODISCARD int SOCK_accept(SOCK* record);

/* Closes the record's descriptor and sets it to -1. A non-zero `release` also frees the texts the
 * record owns, takes it out of its group (the last record out frees the group's texts) and frees
 * the record; release 0 leaves the texts in place and, on the last record of a group, makes the
 * texts it holds its own. Null does nothing. */
void SOCK_shutdown(SOCK* record, int release);

/* Returns the record's port, 0 for null. */
SOCK_NODISCARD int SOCK_port_number(const SOCK* record);

/* Receives up to `length` bytes into `buffer`; returns the count, 0 at the end of the stream, or
 * -1 (errno tells why). With a length of 0 it waits as any read does, until data or the end of
 * the stream is there, then returns 0 and takes nothing. The record must not be null. */
SOCK_NODISCARD ssize_t SOCK_read(const SOCK* record, void* buffer, unsigned int length);

/* Sends up to `length` bytes of `buffer`; returns the count sent, possibly fewer than `length`,
 * or -1 (errno tells why). When the peer has gone, the call returns -1 with errno EPIPE or
 * ECONNRESET and never raises SIGPIPE. The record must not be null. */
SOCK_NODISCARD ssize_t SOCK_write(const SOCK* record, const void* buffer, unsigned int length);

/* Returns the record's host name text (null for a server), null for a null record. */
SOCK_NODISCARD char* SOCK_hostname(const SOCK* record);

/* Returns the record's dotted address text (null for a server), null for a null record. */
SOCK_NODISCARD char* SOCK_host_address(const SOCK* record);

/* Returns a new record holding every field of the source, the same text pointers included (the
 * texts now shared by their group), on a duplicate descriptor; or null after reporting
 * "cannot duplicate socket". The record must not be null. */
SOCK_NODISCARD SOCK* SOCK_dup(const SOCK* record);

/* Returns the dotted local address of the record's socket ("0.0.0.0" for a server), in the C
 * library's conversion buffer, which the next conversion overwrites (one buffer for each thread
 * in the GNU C library; not the caller's to release); null for a null record, or after
 * reporting "cannot get socket name". */
SOCK_NODISCARD const char* SOCK_local_address(const SOCK* record);

/* Does nothing; kept for programs that call it before using the module. */
void SOCK_init(void);

/* Returns the result of closing descriptor `fd` (0, or -1 with errno set). */
SOCK_NODISCARD int sock_close(int fd);

#ifdef __cplusplus
}
#endif

#endif /* MORVAC_SOCK_H */
