/* Compiled as C: the header must parse as C and every function must link under its plain name. */
#include <stddef.h>

#include "sock.h"

/* Returns how many of the calls on a null record did not answer 0 or null. */
int sock_null_calls_from_c(void) {
  int wrong = 0;
  SOCK_init();
  SOCK_shutdown(NULL, 0);
  SOCK_shutdown(NULL, 1);
  wrong += SOCK_accept(NULL) != 0;
  wrong += SOCK_port_number(NULL) != 0;
  wrong += SOCK_hostname(NULL) != NULL;
  wrong += SOCK_host_address(NULL) != NULL;
  wrong += SOCK_local_address(NULL) != NULL;
  return wrong;
}

/* Referenced so that the C link resolves the functions a null record cannot reach. */
const void* const sock_functions_from_c[] = {
    (const void*)SOCK_make_client, (const void*)SOCK_make_server, (const void*)SOCK_read,
    (const void*)SOCK_write,       (const void*)SOCK_dup,         (const void*)sock_close,
};
