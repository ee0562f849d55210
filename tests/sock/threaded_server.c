/* threaded_server [clients]: sock used by threads as C servers use it, with no lock of the
 * caller's. Run in the suite as built, under AddressSanitizer and under ThreadSanitizer.
 *
 * The server accepts on a thread of its own into records made by SOCK_dup of the server record,
 * and hands each connection to a thread of its own. That thread reads the client's request,
 * checks its checksum, duplicates its record for a writer thread that sends the answer, and
 * releases its own record before or after the writer releases the copy. The clients (500 by
 * default) run on threads of the same process; they connect by name or by address, some read
 * through a copy of their record, and each checks the answer's checksum. At most 4 connections
 * wait to be accepted at any time, below the listen backlog of 5. Then threads that share nothing
 * duplicate and release records of their own, thousands of times each.
 *
 * Prints the counts; exits 0 when every exchange was whole and correct, every group ended and
 * every descriptor was closed, 1 otherwise. */
#ifndef _DEFAULT_SOURCE
#define _DEFAULT_SOURCE
#endif
#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <semaphore.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "sock.h"

/* The number of records and texts in the module's table of groups (an internal function). */
size_t sock_internal_shared_entries(void);

enum {
  kConnectSlots = 4,       /* connections waiting to be accepted, below the backlog of 5 */
  kMaxPayload = 65536,     /* bytes of one request or answer, at most */
  kStackSize = 256 * 1024, /* every thread's stack */
  kTableThreads = 8,       /* threads of the second part, sharing nothing */
  kTableRounds = 3000      /* duplications and releases of each */
};

/* A request or an answer: its header, its payload, then the payload's checksum. */
struct Header {
  uint32_t length;
  uint32_t client;
};

static SOCK* server;
static int listening; /* the server's descriptor, set before any thread starts */
static sem_t connect_slots;
static pthread_mutex_t counts_lock = PTHREAD_MUTEX_INITIALIZER;
static unsigned long long bytes_exchanged;
static int failures;

static void fail(const char* what, unsigned client) {
  pthread_mutex_lock(&counts_lock);
  ++failures;
  pthread_mutex_unlock(&counts_lock);
  fprintf(stderr, "threaded_server: client %u: %s\n", client, what);
}

/* Ends the run early: the next SOCK_accept fails and the clients left cannot connect. */
static void stop_server(void) {
  shutdown(listening, SHUT_RDWR);
}

static void count_bytes(size_t count) {
  pthread_mutex_lock(&counts_lock);
  bytes_exchanged += count;
  pthread_mutex_unlock(&counts_lock);
}

static uint64_t next_random(uint64_t* state) {
  *state ^= *state << 13;
  *state ^= *state >> 7;
  *state ^= *state << 17;
  return *state;
}

/* FNV-1a, 64 bits. */
static uint64_t checksum(const unsigned char* data, size_t length) {
  uint64_t sum = 14695981039346656037ULL;
  size_t i;
  for (i = 0; i < length; ++i) sum = (sum ^ data[i]) * 1099511628211ULL;
  return sum;
}

/* Sends all `length` bytes in pieces of 1 to 8192 bytes; returns 1, or 0 when a write failed. */
static int send_all(const SOCK* record, const void* data, size_t length, uint64_t* random) {
  const char* at = data;
  while (length > 0) {
    const size_t piece = 1 + next_random(random) % 8192;
    const ssize_t sent = SOCK_write(record, at, (unsigned)(piece < length ? piece : length));
    if (sent <= 0) return 0;
    at += sent;
    length -= (size_t)sent;
  }
  return 1;
}

/* Receives exactly `length` bytes in reads of 1 to 8192 bytes; returns 1, or 0 when the stream
 * ended or failed first. */
static int receive_all(const SOCK* record, void* data, size_t length, uint64_t* random) {
  char* at = data;
  while (length > 0) {
    const size_t piece = 1 + next_random(random) % 8192;
    const ssize_t got = SOCK_read(record, at, (unsigned)(piece < length ? piece : length));
    if (got <= 0) return 0;
    at += got;
    length -= (size_t)got;
  }
  return 1;
}

/* Sends a message of `length` bytes made from `seed`; returns 1 once it all went out. */
static int send_message(const SOCK* record, unsigned client, size_t length, uint64_t seed) {
  unsigned char* payload = malloc(length + 1);
  struct Header header;
  uint64_t sum, random = seed;
  size_t i;
  int sent;
  if (payload == NULL) return 0;
  for (i = 0; i < length; ++i) payload[i] = (unsigned char)next_random(&random);
  sum = checksum(payload, length);
  header.length = htonl((uint32_t)length);
  header.client = htonl(client);
  sent = send_all(record, &header, sizeof header, &random) &&
         send_all(record, payload, length, &random) && send_all(record, &sum, sizeof sum, &random);
  free(payload);
  if (sent) count_bytes(sizeof header + length + sizeof sum);
  return sent;
}

/* Receives a message and checks its checksum; returns its length and sets *client to the client
 * its header names, or returns -1 with the failure told (as of `expected`, the client that should
 * be named, or of the one named when it is negative). */
static long receive_message(const SOCK* record, long expected, unsigned* client, uint64_t seed) {
  struct Header header;
  unsigned char* payload;
  uint64_t sum, random = seed;
  long length = -1;
  if (!receive_all(record, &header, sizeof header, &random)) {
    fail("no header", (unsigned)(expected < 0 ? 0 : expected));
    return -1;
  }
  header.length = ntohl(header.length);
  *client = ntohl(header.client);
  if (header.length > kMaxPayload || (expected >= 0 && *client != (unsigned)expected)) {
    fail("wrong header", *client);
    return -1;
  }
  payload = malloc(header.length + 1);
  if (payload == NULL) return -1;
  if (!receive_all(record, payload, header.length, &random) ||
      !receive_all(record, &sum, sizeof sum, &random)) {
    fail("message cut short", *client);
  } else if (sum != checksum(payload, header.length)) {
    fail("wrong checksum", *client);
  } else {
    length = (long)header.length;
  }
  free(payload);
  return length;
}

static size_t request_length(unsigned client) {
  return (client * 7919u) % kMaxPayload;
}

static size_t answer_length(unsigned client) {
  return (client * 40503u + 11u) % kMaxPayload;
}

static pthread_t start_thread(void* (*body)(void*), void* argument) {
  pthread_attr_t attributes;
  pthread_t thread;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, kStackSize);
  if (pthread_create(&thread, &attributes, body, argument) != 0) {
    fprintf(stderr, "threaded_server: cannot start a thread\n");
    exit(1);
  }
  pthread_attr_destroy(&attributes);
  return thread;
}

/* The server's side of one connection */

struct Answer {
  SOCK* copy; /* the worker's record duplicated, released here */
  unsigned client;
};

static void* write_answer(void* argument) {
  struct Answer* answer = argument;
  const char* peer = SOCK_host_address(answer->copy); /* shared with the worker's record */
  if (peer == NULL || strcmp(peer, "127.0.0.1") != 0) fail("wrong peer address", answer->client);
  if (!send_message(answer->copy, answer->client, answer_length(answer->client),
                    answer->client * 977u + 1u))
    fail("answer not sent", answer->client);
  SOCK_shutdown(answer->copy, 1);
  return NULL;
}

static void* serve(void* argument) {
  SOCK* connection = argument;
  struct Answer answer;
  pthread_t writer;
  unsigned client = 0;
  const long length = receive_message(connection, -1, &client, (uintptr_t)connection);
  if (length >= 0 && (size_t)length != request_length(client))
    fail("request of a wrong length", client);
  answer.copy = SOCK_dup(connection);
  answer.client = client;
  if (answer.copy == NULL) {
    fail("cannot duplicate the connection", client);
    SOCK_shutdown(connection, 1);
    return NULL;
  }
  writer = start_thread(write_answer, &answer);
  if (client % 2 == 0) SOCK_shutdown(connection, 1); /* while the writer still uses the copy */
  pthread_join(writer, NULL);
  if (client % 2 != 0) SOCK_shutdown(connection, 1); /* after the copy was released */
  return NULL;
}

static void* accept_clients(void* argument) {
  const int clients = *(const int*)argument;
  pthread_t* workers = calloc((size_t)clients, sizeof *workers);
  int i;
  for (i = 0; workers != NULL && i < clients; ++i) {
    SOCK* connection = SOCK_dup(server);
    int listening_copy;
    if (connection == NULL) break;
    listening_copy = connection->fd;
    if (!SOCK_accept(connection)) {
      SOCK_shutdown(connection, 1);
      break;
    }
    (void)sock_close(listening_copy);
    sem_post(&connect_slots);
    workers[i] = start_thread(serve, connection);
  }
  if (i < clients) { /* let the clients left fail instead of waiting for ever */
    fail("the server stopped accepting", (unsigned)i);
    stop_server();
    for (int left = i; left < clients; ++left) sem_post(&connect_slots);
  }
  while (i > 0) pthread_join(workers[--i], NULL);
  free(workers);
  return NULL;
}

/* A client */

static void* run_client(void* argument) {
  const unsigned client = *(const unsigned*)argument;
  SOCK* record;
  SOCK* reader;
  char end;
  long length;
  sem_wait(&connect_slots);
  record = SOCK_make_client(client % 3 == 0 ? "localhost" : "127.0.0.1", SOCK_port_number(server));
  if (record == NULL) {
    fail("cannot connect", client);
    stop_server(); /* rather than wait for ever for the connection that did not come */
    sem_post(&connect_slots);
    return NULL;
  }
  reader = client % 2 != 0 ? SOCK_dup(record) : record;
  if (reader == NULL) {
    fail("cannot duplicate the client", client);
    reader = record;
  }
  if (!send_message(record, client, request_length(client), client)) {
    fail("request not sent", client);
  } else {
    unsigned named;
    length = receive_message(reader, client, &named, client * 977u + 1u);
    if (length >= 0 && (size_t)length != answer_length(client))
      fail("answer of a wrong length", client);
    if (length >= 0 && SOCK_read(reader, &end, 1) != 0) fail("no end after the answer", client);
  }
  if (reader != record && client % 4 == 1) { /* the original first, or its copy first */
    SOCK_shutdown(record, 1);
    SOCK_shutdown(reader, 1);
  } else {
    if (reader != record) SOCK_shutdown(reader, 1);
    SOCK_shutdown(record, 1);
  }
  return NULL;
}

/* Threads sharing nothing, each duplicating and releasing its own records */

static void* duplicate_own_records(void* argument) {
  const int null_device = *(const int*)argument;
  int round;
  for (round = 0; round < kTableRounds; ++round) {
    SOCK* original = calloc(1, sizeof *original);
    SOCK* copy;
    SOCK* copy_of_copy;
    if (original == NULL) return NULL;
    original->fd = dup(null_device);
    original->hostname = strdup("own.example");
    original->address = round % 5 == 0 ? original->hostname : strdup("10.0.0.1");
    copy = SOCK_dup(original);
    copy_of_copy = copy != NULL ? SOCK_dup(copy) : NULL;
    if (copy == NULL || copy_of_copy == NULL) {
      fail("cannot duplicate an own record", (unsigned)round);
      SOCK_shutdown(copy, 1);
      SOCK_shutdown(original, 1);
      return NULL;
    }
    switch (round % 3) {
      case 0: /* in the order made */
        SOCK_shutdown(original, 1);
        SOCK_shutdown(copy, 1);
        SOCK_shutdown(copy_of_copy, 1);
        break;
      case 1: /* the other way round */
        SOCK_shutdown(copy_of_copy, 1);
        SOCK_shutdown(copy, 1);
        SOCK_shutdown(original, 1);
        break;
      default: /* the original last and closed only: its texts are its own again */
        SOCK_shutdown(copy, 1);
        SOCK_shutdown(copy_of_copy, 1);
        SOCK_shutdown(original, 0);
        if (original->address != original->hostname) free(original->address);
        free(original->hostname);
        free(original);
    }
  }
  return NULL;
}

static int open_descriptors(void) {
  DIR* folder = opendir("/proc/self/fd");
  int count = 0;
  if (folder == NULL) return -1;
  while (readdir(folder) != NULL) ++count;
  closedir(folder);
  return count;
}

/* Raises the soft limit of descriptors to what `clients` connections need at most. */
static void allow_descriptors(int clients) {
  struct rlimit limit;
  const rlim_t needed = (rlim_t)clients * 5 + 64;
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= needed) return;
  limit.rlim_cur = limit.rlim_max < needed ? limit.rlim_max : needed;
  setrlimit(RLIMIT_NOFILE, &limit);
}

int main(int argc, char** argv) {
  const int clients = argc > 1 ? atoi(argv[1]) : 500;
  struct Client {
    pthread_t thread;
    unsigned id;
  } * client;
  pthread_t acceptor, table_threads[kTableThreads];
  int descriptors, null_device, i, left_open;
  size_t entries_left;

  if (clients < 1) return 1;
  allow_descriptors(clients);
  descriptors = open_descriptors();
  server = SOCK_make_server(0);
  if (server == NULL || sem_init(&connect_slots, 0, kConnectSlots) != 0) return 1;
  listening = server->fd;
  client = calloc((size_t)clients, sizeof *client);
  if (client == NULL) return 1;
  acceptor = start_thread(accept_clients, (void*)&clients);
  for (i = 0; i < clients; ++i) {
    client[i].id = (unsigned)i;
    client[i].thread = start_thread(run_client, &client[i].id);
  }
  for (i = 0; i < clients; ++i) pthread_join(client[i].thread, NULL);
  pthread_join(acceptor, NULL);
  SOCK_shutdown(server, 1);
  free(client);

  null_device = open("/dev/null", O_RDONLY);
  for (i = 0; i < kTableThreads; ++i)
    table_threads[i] = start_thread(duplicate_own_records, &null_device);
  for (i = 0; i < kTableThreads; ++i) pthread_join(table_threads[i], NULL);
  close(null_device);

  entries_left = sock_internal_shared_entries();
  left_open = open_descriptors() - descriptors;
  printf(
      "threaded server: %d clients, %llu bytes exchanged, %d failed; %d threads sharing nothing"
      " made %d groups each; %zu table entries and %d descriptors left\n",
      clients, bytes_exchanged, failures, kTableThreads, kTableRounds, entries_left, left_open);
  return failures == 0 && entries_left == 0 && left_open == 0 ? 0 : 1;
}
