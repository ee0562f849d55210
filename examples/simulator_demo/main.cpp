// simulator_demo: runs "loop await S; emit O end" step by step with formspp's simulator panels.
//
// Mark S on the left (or make it sticky) and press GO for one reaction: the lamp of O on the
// right turns blue when O is emitted, yellow when it is not, red before the first reaction. INIT
// starts the program again, QUIT ends the demo. Every step is also printed on standard output.
//
//   simulator_demo                 interactive
//   simulator_demo --play S-SiS    plays the steps itself, one every 0.4 s, then quits: S marks S
//                                  and presses GO, - presses GO with nothing marked, i presses INIT
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <cstring>
#include <string>

#include "await_loop.h"
#include "formspp.h"

namespace {

constexpr int kHeight = 245;
constexpr int kUnknown = 2;

// The scripted user of --play: one step per timeout, then QUIT.
struct Player {
  OFD_simulator_input* inputs;
  std::string steps;
  size_t next = 0;
};

void play_step(void* data) {
  auto* player = static_cast<Player*>(data);
  OFD_simulator_input& inputs = *player->inputs;
  if (player->next == player->steps.size()) {
    inputs.quit_button->do_callback();
    return;
  }
  const char step = player->steps[player->next++];
  if (step == 'i') {
    inputs.init_button->do_callback();
  } else {
    inputs.signal_browser->checked(1, step == 'S' ? 1 : 0);
    inputs.go_button->do_callback();
  }
  Fl::repeat_timeout(0.4, play_step, data);
}

bool valid_script(const char* steps) {
  return std::strspn(steps, "S-i") == std::strlen(steps);
}

}  // namespace

int main(int argc, char** argv) {
  const bool playing = argc == 3 && std::strcmp(argv[1], "--play") == 0;
  if ((argc != 1 && !playing) || (playing && !valid_script(argv[2]))) {
    std::fprintf(stderr, "usage: simulator_demo [--play STEPS]   (STEPS of S, - and i)\n");
    return 1;
  }
  if (!formspp_display_available()) {
    std::fprintf(stderr, "simulator_demo: no graphical display\n");
    return 1;
  }

  Fl_Window window(640, kHeight, "loop await S; emit O end");
  OFD_simulator_input inputs(&window, 0, kHeight);
  OFD_simulator_output outputs(&window, 400, kHeight, "Outputs");
  window.end();
  inputs.add("S");
  outputs.add("O");
  window.show();

  Player player{&inputs, playing ? argv[2] : ""};
  if (playing) Fl::add_timeout(0.4, play_step, &player);

  AwaitLoop program;
  int step = 0;
  int init = 0;
  int quit = 0;
  int s_present = 0;
  for (;;) {
    inputs.check(&init, &quit, &s_present);
    if (quit != 0) break;
    int o_state = kUnknown;
    if (init != 0) {
      program.reset();
      step = 0;
      std::printf("INIT: the program starts again\n");
    } else {
      o_state = program.react(s_present != 0) ? 1 : 0;
      std::printf("step %d: S %s -> O %s\n", ++step, s_present != 0 ? "present" : "absent",
                  o_state == 1 ? "emitted" : "absent");
    }
    std::fflush(stdout);
    outputs.eval(&o_state);
  }
  std::printf("QUIT\n");
  return 0;
}
