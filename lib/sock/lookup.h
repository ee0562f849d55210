/* Host lookups whose results live in memory of their own call, so that lookups made on several
 * threads at once never overwrite one another's results. */
#ifndef MORVAC_SOCK_LOOKUP_H
#define MORVAC_SOCK_LOOKUP_H

#include <netinet/in.h>

#include "report.h"

/* Looks `host` up by name. Returns a copy (from malloc) of its official name and sets *address to
 * its first IPv4 address; returns null, *address untouched, when the host has no IPv4 address.
 * When memory runs out, reports `exhausted_message` and aborts. */
SOCK_INTERNAL char* sock_internal_look_up_name(const char* host, struct in_addr* address,
                                               const char* exhausted_message);

/* Returns a copy (from malloc) of the name that a reverse lookup finds for `address`, or null
 * when it finds none. When memory runs out, reports `exhausted_message` and aborts. */
SOCK_INTERNAL char* sock_internal_look_up_address(struct in_addr address,
                                                  const char* exhausted_message);

#endif /* MORVAC_SOCK_LOOKUP_H */
