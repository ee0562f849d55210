// The reactive program that the simulator demo runs, one reaction per step:
//
//   module M:
//   input S;
//   output O;
//   loop await S; emit O end
//   end module
//
// The first reaction only starts waiting (await lets the instant it starts in go by); from then on
// every reaction in which S is present emits O and starts waiting again.
#ifndef MORVAC_EXAMPLES_AWAIT_LOOP_H
#define MORVAC_EXAMPLES_AWAIT_LOOP_H

class AwaitLoop {
 public:
  // Runs one reaction; returns true when O is emitted.
  [[nodiscard]] bool react(bool s_present);
  // Goes back to before the first reaction.
  void reset() { started_ = false; }

 private:
  bool started_ = false;
};

#endif  // MORVAC_EXAMPLES_AWAIT_LOOP_H
