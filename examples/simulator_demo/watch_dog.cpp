#include "watch_dog.h"

WatchDogOutputs WatchDog::react(WatchDogInputs in) {
  WatchDogOutputs out;
  switch (state_) {
    case State::kBoot:
      state_ = State::kWaitingForStart;
      break;
    case State::kWaitingForStart:
      if (in.start) {
        state_ = State::kWatching;
        ticks_ = 0;
        out.watching = true;
      }
      break;
    case State::kWatching:
      if (in.stop) {  // strong abort: the body does not run in this reaction
        state_ = State::kWaitingForStart;
        break;
      }
      out.watching = true;
      if (in.tick && ++ticks_ == 3) {
        ticks_ = 0;
        out.alarm = true;
      }
      break;
  }
  return out;
}
