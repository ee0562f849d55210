/* Ignores a result that must not be ignored: refused where the language has [[nodiscard]]. */
#include <morvac/sock.h>

int main(void) {
  SOCK_make_server(0);
  return 0;
}
