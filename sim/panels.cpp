#include "panels.h"

#include <algorithm>
#include <string>
#include <vector>

#include "formspp.h"
#include "simulator.h"

namespace sim {

namespace {

// Lamp states of the output panel.
constexpr int kAbsent = 0;
constexpr int kEmitted = 1;
constexpr int kUnknown = 2;

// Panel heights for n lines, within a screen.
int input_height(std::size_t n) {
  return static_cast<int>(std::clamp<std::size_t>(70 + 18 * n, 200, 700));
}
int output_height(std::size_t n) {
  return static_cast<int>(std::clamp<std::size_t>(85 + 16 * n, 200, 741));
}

}  // namespace

int run_on_panels(const ProgramFiles& program, std::ostream& err) {
  if (!formspp_display_available()) {
    err << "morvac-sim: --panels needs a display, and none can be opened\n";
    return 2;
  }
  const KernelProgram& kernel = *program.program;
  std::vector<SignalId> inputs, outputs;
  for (SignalId s = 0; s < kernel.signals.size(); ++s) {
    const SignalKind kind = kernel.signals[s].kind;
    if (kind == SignalKind::Input || kind == SignalKind::InputOutput) inputs.push_back(s);
    if (kind == SignalKind::Output || kind == SignalKind::InputOutput) outputs.push_back(s);
  }
  OFD_simulator_input input_panel(input_height(inputs.size()));
  for (const SignalId s : inputs) input_panel.add(kernel.signals[s].name);
  const std::string title = "Outputs of " + program.module;
  OFD_simulator_output output_panel(output_height(outputs.size()), title.c_str());
  for (const SignalId s : outputs) output_panel.add(kernel.signals[s].name);
  while (output_panel.page > 0) output_panel.previous_page();

  Simulator simulator(kernel);
  std::vector<int> marks(inputs.size() + 1, 0);
  std::vector<int> states(outputs.size() + 1, kUnknown);
  std::vector<SignalId> present;
  for (;;) {
    int init = 0;
    int quit = 0;
    input_panel.check(&init, &quit, marks.data());
    if (quit != 0) return 0;
    if (init != 0) {
      simulator.reset();
      std::fill(states.begin(), states.end(), kUnknown);
      output_panel.eval(states.data());
      continue;
    }
    present.clear();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      if (marks[i] != 0) present.push_back(inputs[i]);
    }
    const Reaction& r = simulator.react(present);
    if (r.error.kind != ReactionError::Kind::None) {
      const std::string message = format_diagnostic(program, diagnostic_of(kernel, r.error));
      err << message << '\n';
      if (r.error.kind != ReactionError::Kind::InputRelation) {
        std::fill(states.begin(), states.end(), kUnknown);
        output_panel.eval(states.data());
      }
      fl_show_Smessages(message);
      continue;
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      const bool emitted = std::binary_search(r.emitted.begin(), r.emitted.end(), outputs[i]);
      states[i] = emitted ? kEmitted : kAbsent;
    }
    output_panel.eval(states.data());
  }
}

}  // namespace sim
