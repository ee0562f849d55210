/* sock_burst [clients] [seconds]: what a server's listen backlog of 5 does to a burst of clients.
 *
 * The clients (separate processes, 50 by default) connect at the same moment to one server that
 * accepts as fast as it can and writes one byte to each connection it accepts. Each client counts
 * as connected when SOCK_make_client returns a record, and as served when the server's byte
 * reaches it within the time given (10 s by default), as reset when its connection is reset
 * instead, and as waiting otherwise. Run twice: with clients that wait for the server to speak
 * first, and with clients that write one byte first. Prints the counts; never fails on them. */
#define _DEFAULT_SOURCE
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "sock.h"

enum { kServed = 0, kNotServed = 1, kNotConnected = 2, kReset = 3 };

static void on_alarm(int signal_number) {
  (void)signal_number;
}

/* The life of one client, once `start` is closed; returns its exit status. */
static int client(int port, int start, int writes_first, int seconds) {
  struct sigaction alarm_action;
  char byte;
  SOCK* record;
  (void)!read(start, &byte, 1);
  record = SOCK_make_client("127.0.0.1", port);
  if (record == NULL) return kNotConnected;
  if (writes_first && SOCK_write(record, "?", 1) != 1) return errno == EINTR ? kNotServed : kReset;
  sigemptyset(&alarm_action.sa_mask);
  alarm_action.sa_flags = 0; /* no restart: the alarm ends the read */
  alarm_action.sa_handler = on_alarm;
  sigaction(SIGALRM, &alarm_action, NULL);
  alarm((unsigned int)seconds);
  if (SOCK_read(record, &byte, 1) == 1) return kServed;
  return errno == ECONNRESET ? kReset : kNotServed;
}

static double seconds_since(const struct timespec* start) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)(now.tv_sec - start->tv_sec) + (double)(now.tv_nsec - start->tv_nsec) / 1e9;
}

/* One burst of `clients`; prints its line of counts. */
static void burst(int clients, int writes_first, int seconds) {
  SOCK* server = SOCK_make_server(0);
  int start[2];
  int i, status, accepted = 0, connected = 0, served = 0, reset = 0;
  struct timespec began;
  struct pollfd listening;
  if (server == NULL || pipe(start) != 0) exit(1);
  for (i = 0; i < clients; ++i) {
    const pid_t child = fork();
    if (child < 0) exit(1);
    if (child == 0) {
      close(start[1]);
      _exit(client(server->port, start[0], writes_first, seconds));
    }
  }
  close(start[0]);
  usleep(200000); /* every client waiting on the pipe */
  close(start[1]);
  clock_gettime(CLOCK_MONOTONIC, &began);
  listening.fd = server->fd;
  listening.events = POLLIN;
  while (seconds_since(&began) < seconds) {
    SOCK connection = *server;
    if (poll(&listening, 1, 100) != 1 || !SOCK_accept(&connection)) continue;
    ++accepted;
    (void)!SOCK_write(&connection, "!", 1);
    SOCK_shutdown(&connection, 0);
    free(connection.hostname);
    free(connection.address);
  }
  while (wait(&status) > 0) {
    connected += WEXITSTATUS(status) != kNotConnected;
    served += WEXITSTATUS(status) == kServed;
    reset += WEXITSTATUS(status) == kReset;
  }
  printf("%-22s %9d %9d %9d %9d %9d %9d\n", writes_first ? "write first" : "wait for the server",
         clients, connected, accepted, served, reset, connected - served - reset);
  SOCK_shutdown(server, 1);
}

int main(int argc, char** argv) {
  const int clients = argc > 1 ? atoi(argv[1]) : 50;
  const int seconds = argc > 2 ? atoi(argv[2]) : 10;
  printf("listen backlog 5, %d clients connecting at once, %d s to be served\n", clients, seconds);
  printf("%-22s %9s %9s %9s %9s %9s %9s\n", "clients that", "clients", "connected", "accepted",
         "served", "reset", "waiting");
  fflush(stdout);
  burst(clients, 0, seconds);
  fflush(stdout);
  burst(clients, 1, seconds);
  return 0;
}
