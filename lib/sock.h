// sock: TCP client and server helpers over IPv4 stream sockets.
//
// Each connection or listening server is described by one heap record, `SOCK`, made by this
// module and handed to the caller, who releases it with SOCK_shutdown(record, 1). Every failure is
// written to standard error as one line, "Sock error: " followed by a fixed message, and the
// function returns null or 0. The functions have C linkage and undecorated names, so C programs
// can call them too.
//
// Typical server loop, keeping the listening socket for the next client:
//   SOCK* server = SOCK_make_server(0);
//   SOCK* conn = SOCK_dup(server);            // a record on a copy of the listening descriptor
//   int listening_copy = conn->fd;
//   if (SOCK_accept(conn)) (void)sock_close(listening_copy);  // conn: the connection
//
// Threads: the module keeps no state of its own, but the system's host lookups and address
// conversion keep their results in static storage; callers on several threads must serialise
// their use of the module.
#ifndef MORVAC_SOCK_H
#define MORVAC_SOCK_H

#include <sys/types.h>

#ifdef __cplusplus
#define SOCK_NODISCARD [[nodiscard]]
extern "C" {
#else
#define SOCK_NODISCARD
#endif

// One connection or listening server. The two texts are owned by the record; a record made by
// SOCK_dup shares them with its source, and they are released once, with the last record that
// refers to them.
typedef struct SOCK {
  int port;        // port number in host byte order (16 bits)
  char* hostname;  // client: the server's official name; accepted connection: the peer's name
                   // or, without a reverse-lookup name, its dotted address; server: null
  char* address;   // dotted IPv4 address of the server (client) or of the peer (accepted);
                   // server: null
  int fd;          // the socket descriptor; -1 after SOCK_shutdown
} SOCK;

// Returns a new record connected to `host` at the low 16 bits of `port`, or null after
// reporting "unknown or misspelled host name `<host>'", "cannot create socket" or
// "cannot set connexion". A host name longer than 65 characters is shown as its first 62
// characters followed by "..."; a null host is reported as an empty name.
SOCK_NODISCARD SOCK* SOCK_make_client(const char* host, int port);

// Returns a new record listening on every local address at `port` (0 lets the system choose; the
// chosen port is in the record), or null after reporting "Cannot create socket" (socket or bind
// failed, for instance a port already in use) or "cannot create socket".
SOCK_NODISCARD SOCK* SOCK_make_server(int port);

// Waits for a connection on the record's descriptor and returns 1 once the record describes it
// (fd, peer's address and name; the listening descriptor is neither closed nor kept). Returns 0
// for a null record, or after reporting "unable to make connexion" with the record unchanged.
SOCK_NODISCARD int SOCK_accept(SOCK* record);

// Closes the record's descriptor and sets it to -1; a non-zero `release` also releases the record
// and its texts (the texts only when no SOCK_dup copy still refers to them). Null does nothing.
void SOCK_shutdown(SOCK* record, int release);

// Returns the record's port, 0 for null.
SOCK_NODISCARD int SOCK_port_number(const SOCK* record);

// Receives up to `length` bytes into `buffer`; returns the count, 0 at the end of the stream, or
// -1 (errno tells why). The record must not be null.
SOCK_NODISCARD ssize_t SOCK_read(const SOCK* record, void* buffer, unsigned int length);

// Sends up to `length` bytes of `buffer`; returns the count sent, possibly fewer than `length`,
// or -1 (errno tells why). When the peer has gone, the call returns -1 with errno EPIPE or
// ECONNRESET and never raises SIGPIPE. The record must not be null.
SOCK_NODISCARD ssize_t SOCK_write(const SOCK* record, const void* buffer, unsigned int length);

// Returns the record's host name text, null for a null record or a server.
SOCK_NODISCARD char* SOCK_hostname(const SOCK* record);

// Returns the record's dotted address text, null for a null record or a server.
SOCK_NODISCARD char* SOCK_host_address(const SOCK* record);

// Returns a new record with the same fields on a duplicate descriptor, sharing the source's
// texts, or null after reporting "cannot duplicate socket". The record must not be null.
SOCK_NODISCARD SOCK* SOCK_dup(const SOCK* record);

// Returns the dotted local address of the record's socket, in a conversion buffer that the next
// conversion overwrites (not the caller's to release); null for a null record, or after
// reporting "cannot get socket name".
SOCK_NODISCARD const char* SOCK_local_address(const SOCK* record);

// Does nothing; kept for programs that call it before using the module.
void SOCK_init(void);

// Returns the result of closing descriptor `fd` (0, or -1 with errno set).
SOCK_NODISCARD int sock_close(int fd);

#ifdef __cplusplus
}
#endif

#endif  // MORVAC_SOCK_H
