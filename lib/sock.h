// sock: TCP client and server helpers.
#ifndef MORVAC_SOCK_H
#define MORVAC_SOCK_H

#endif  // MORVAC_SOCK_H
