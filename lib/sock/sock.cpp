#include "sock.h"
