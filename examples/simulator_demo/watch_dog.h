// The reactive program that the simulator demo runs, one reaction per step: the bundled
// translation example examples/watch_dog.strl,
//
//   module WATCH_DOG :
//   input START, TICK, STOP;
//   output ALARM, WATCHING;
//   loop
//     await START;
//     abort
//       sustain WATCHING
//     ||
//       loop await TICK; await TICK; await TICK; emit ALARM end
//     when STOP
//   end
//   end module
//
// Every await and the abort let the instant they start in go by: the first reaction only starts
// waiting for START; the reaction that sees START emits WATCHING and starts counting TICKs; from
// then on each reaction emits WATCHING, and ALARM on every third TICK, until one sees STOP, which
// emits nothing and waits for START again.
#ifndef MORVAC_EXAMPLES_WATCH_DOG_H
#define MORVAC_EXAMPLES_WATCH_DOG_H

struct WatchDogInputs {
  bool start = false;
  bool tick = false;
  bool stop = false;
};

struct WatchDogOutputs {
  bool alarm = false;
  bool watching = false;
};

class WatchDog {
 public:
  // Runs one reaction and returns the outputs it emits.
  [[nodiscard]] WatchDogOutputs react(WatchDogInputs in);
  // Goes back to before the first reaction.
  void reset() { state_ = State::kBoot; }

 private:
  enum class State { kBoot, kWaitingForStart, kWatching };
  State state_ = State::kBoot;
  int ticks_ = 0;  // TICKs counted towards the next ALARM while watching
};

#endif  // MORVAC_EXAMPLES_WATCH_DOG_H
