#include "await_loop.h"

bool AwaitLoop::react(bool s_present) {
  if (!started_) {
    started_ = true;
    return false;
  }
  return s_present;
}
