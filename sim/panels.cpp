#include "panels.h"

#include <algorithm>
#include <string>
#include <vector>

#include <FL/Fl_Window.H>

#include "formspp.h"
#include "simulator.h"

namespace sim {

namespace {

// Lamp states of the output panel.
constexpr int kAbsent = 0;
constexpr int kEmitted = 1;
constexpr int kUnknown = 2;

// The height of the window for n inputs (about 18 pixels a line in their lists) and m outputs
// (16 a page line), within a screen; the output panel turns pages beyond.
int window_height(std::size_t n, std::size_t m) {
  return static_cast<int>(std::clamp<std::size_t>(std::max(70 + 18 * n, 85 + 16 * m), 200, 741));
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
  // Both panels side by side in one window, the inputs on the left.
  const int height = window_height(inputs.size(), outputs.size());
  const std::string title = "morvac-sim: " + program.module;
  Fl_Window window(640, height, title.c_str());
  window.begin();
  OFD_simulator_input input_panel(&window, 0, height);
  OFD_simulator_output output_panel(&window, 400, height, "Outputs");
  window.end();
  for (const SignalId s : inputs) input_panel.add(kernel.signals[s].name);
  for (const SignalId s : outputs) output_panel.add(kernel.signals[s].name);
  while (output_panel.page > 0) output_panel.previous_page();
  window.show();

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
