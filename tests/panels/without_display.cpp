// A simulator using both panels, in windows of their own and embedded, where no display can be
// opened: it writes what the panels answered and kept.
#include <FL/Fl_Window.H>

#include <cstdio>
#include <string>

#include "formspp.h"

namespace {

void step(OFD_simulator_input& inputs, const char* name) {
  int init = -1;
  int quit = -1;
  int values[2] = {-1, -1};
  inputs.check(&init, &quit, values);
  std::printf("%s check: quit %d, init %d, values %d %d\n", name, quit, init, values[0], values[1]);
  quit = -1;
  inputs.eval(&quit, values);
  std::printf("%s eval: quit %d\n", name, quit);
}

void show(const OFD_simulator_output& outputs, const char* name) {
  std::printf("%s: %d outputs, page %d:", name, outputs.count, outputs.page);
  for (int k = 0; k < outputs.count; ++k) {
    std::printf(" %s=%d", outputs.names_array[k].c_str(), outputs.states[k]);
  }
  std::printf("\n");
}

}  // namespace

int main() {
  OFD_simulator_input inputs(220);
  inputs.add("START");
  inputs.add("STOP");
  step(inputs, "own");
  OFD_simulator_output outputs(245, "Outputs");
  int states[11];
  for (int k = 0; k < 11; ++k) {
    outputs.add("O" + std::to_string(k));
    states[k] = k % 3;
  }
  outputs.eval(states);
  outputs.previous_page();
  show(outputs, "own");

  Fl_Window window(640, 245);
  OFD_simulator_input embedded_inputs(&window, 0, 245);
  OFD_simulator_output embedded_outputs(&window, 400, 245, "Embedded");
  window.end();
  embedded_inputs.add("TICK");
  step(embedded_inputs, "embedded");
  embedded_outputs.add("ALARM");
  int alarm = 1;
  embedded_outputs.eval(&alarm);
  show(embedded_outputs, "embedded");
  return 0;
}
