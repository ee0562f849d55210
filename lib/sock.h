/* sock: TCP client and server helpers over IPv4 stream sockets, for C and C++.
 *
 * Each connection or listening server is described by one `SOCK` record. Every failure is written
 * to standard error as one line, "Sock error: " followed by a fixed message, and the function
 * returns null or 0. The library is written in C and needs nothing beyond the C library:
 * `cc app.c -lsock` links it, static or shared. The header compiles as C89 and later and as
 * C++11 and later.
 *
 * Records and their texts. A record is the four fields below and nothing else: the module keeps
 * no state of its own, neither beside a record nor in a table, so a record may live anywhere (on
 * the module's heap, the caller's heap, the stack, or as a copy made by assignment) and the
 * functions that take one work on it alike. The caller owns a record and its two texts, and may
 * free, replace or clear a text at any time (a text put in a record must come from malloc).
 *   - SOCK_make_client, SOCK_make_server and SOCK_dup return records allocated with malloc;
 *     SOCK_shutdown(record, 1) frees the texts the record holds at that moment, then the record.
 *     A record the caller did not get from malloc is closed with SOCK_shutdown(record, 0) and its
 *     texts freed by the caller.
 *   - Each record has texts of its own: SOCK_dup gives the copy its own copies of the texts (equal
 *     characters, other pointers), so a record and its copies can be released in any order, each
 *     text being freed once. A record copied by assignment shares its texts with the original:
 *     clear them in one of the two before that one is released or accepts a connection.
 *   - SOCK_accept frees the texts the record held before it gives it the peer's.
 *
 * Typical server loop, the server record listening on for the next client:
 *   SOCK conn = *server;                  a copy made by assignment (a server has no texts)
 *   if (SOCK_accept(&conn)) {             conn: the connection; server->fd is left alone
 *     ...
 *     SOCK_shutdown(&conn, 0);            closes the connection
 *     free(conn.hostname);
 *     free(conn.address);
 *   }
 *
 * Listen backlog: a server queues 5 connections that it has not accepted yet. When more clients
 * connect at once, the system completes their connect calls all the same but drops some of the
 * connections without telling them. With 50 clients connecting at the same moment to a server
 * accepting as fast as it can (loopback, Linux 6.18, bench/sock_burst), every connect succeeded
 * and only 12 connections reached SOCK_accept in eight runs of ten (13 and 45 in the other two).
 * A dropped client that waits for the server to speak first waits for ever; one that writes
 * first is accepted later, once its data is retransmitted (49 or 50 of 50 within 10 s).
 *
 * Threads: the system's host lookups and address conversion keep their results in static
 * storage; callers on several threads must serialise their use of the module.
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

/* Returns a new record connected to `host` at the low 16 bits of `port`, or null after
 * reporting "unknown or misspelled host name `<host>'", "cannot create socket" or
 * "cannot set connexion". A host name longer than 65 characters is shown as its first 62
 * characters followed by "..."; a null host is reported as an empty name. */
SOCK_NODISCARD SOCK* SOCK_make_client(const char* host, int port);

/* Returns a new record listening on every local address at `port` (0 lets the system choose; the
 * chosen port is in the record) with a backlog of 5, or null after reporting
 * "Cannot create socket" (socket or bind failed, for instance a port already in use) or
 * "cannot create socket". */
SOCK_NODISCARD SOCK* SOCK_make_server(int port);

/* Waits for a connection on the record's descriptor and returns 1 once the record describes it
 * (fd, peer's address and name, the texts it held before freed; the listening descriptor is
 * neither closed nor kept). Returns 0 for a null record, or after reporting
 * "unable to make connexion" with the record unchanged. */
SOCK_NODISCARD int SOCK_accept(SOCK* record);

/* Closes the record's descriptor and sets it to -1; a non-zero `release` also frees the texts the
 * record holds (one free when both fields hold the same text) and the record. Null does
 * nothing. */
void SOCK_shutdown(SOCK* record, int release);

/* Returns the record's port, 0 for null. */
SOCK_NODISCARD int SOCK_port_number(const SOCK* record);

/* Receives up to `length` bytes into `buffer`; returns the count, 0 at the end of the stream, or
 * -1 (errno tells why). The record must not be null. */
SOCK_NODISCARD ssize_t SOCK_read(const SOCK* record, void* buffer, unsigned int length);

/* Sends up to `length` bytes of `buffer`; returns the count sent, possibly fewer than `length`,
 * or -1 (errno tells why). When the peer has gone, the call returns -1 with errno EPIPE or
 * ECONNRESET and never raises SIGPIPE. The record must not be null. */
SOCK_NODISCARD ssize_t SOCK_write(const SOCK* record, const void* buffer, unsigned int length);

/* Returns the record's host name text, null for a null record or a server. */
SOCK_NODISCARD char* SOCK_hostname(const SOCK* record);

/* Returns the record's dotted address text, null for a null record or a server. */
SOCK_NODISCARD char* SOCK_host_address(const SOCK* record);

/* Returns a new record with the same port and texts equal to the source's (copies of its own)
 * on a duplicate descriptor, or null after reporting "cannot duplicate socket". The record must
 * not be null. */
SOCK_NODISCARD SOCK* SOCK_dup(const SOCK* record);

/* Returns the dotted local address of the record's socket, in a conversion buffer that the next
 * conversion overwrites (not the caller's to release); null for a null record, or after
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
