#include "lookup.h"

#include <errno.h>
#include <netdb.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>

#include "record.h"

/* Runs one lookup into `buffer`: by name when `host` is not null, else by `address`. Returns 0
 * or an error number, ERANGE when the buffer is too small. */
static int look_up(const char* host, const struct in_addr* address, struct hostent* entry,
                   char* buffer, size_t size, struct hostent** found) {
  int lookup_error;
  if (host != NULL) return gethostbyname_r(host, entry, buffer, size, found, &lookup_error);
  return gethostbyaddr_r(address, sizeof *address, AF_INET, entry, buffer, size, found,
                         &lookup_error);
}

/* Returns a copy of the name of the IPv4 entry found by name or by address (see look_up), setting
 * *address to the entry's first address; null when no such entry is found. */
static char* name_of_entry(const char* host, struct in_addr* address, const char* exhausted) {
  size_t size = 1024;
  char* buffer = NULL;
  char* name = NULL;
  struct hostent entry;
  struct hostent* found = NULL;
  int status;
  for (;;) { /* the entry's texts live in the buffer: grow it until they fit */
    char* bigger = realloc(buffer, size);
    if (bigger == NULL) sock_internal_report_and_abort(exhausted);
    buffer = bigger;
    status = look_up(host, address, &entry, buffer, size, &found);
    if (status != ERANGE) break;
    size *= 2;
  }
  if (status == 0 && found != NULL && found->h_addrtype == AF_INET &&
      found->h_addr_list[0] != NULL) {
    memcpy(address, found->h_addr_list[0], sizeof *address);
    name = sock_internal_copy_text(found->h_name, exhausted);
  }
  free(buffer);
  return name;
}

char* sock_internal_look_up_name(const char* host, struct in_addr* address,
                                 const char* exhausted_message) {
  return name_of_entry(host, address, exhausted_message);
}

char* sock_internal_look_up_address(struct in_addr address, const char* exhausted_message) {
  return name_of_entry(NULL, &address, exhausted_message);
}
