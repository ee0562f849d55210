// simulator_demo: runs the bundled WATCH_DOG program (examples/watch_dog.strl) step by step with
// formspp's simulator panels.
//
// Mark the inputs present in the next reaction on the left (a sticky input stays marked from step
// to step) and press GO: the lamps on the right turn blue for the outputs emitted, yellow for the
// others; red means no reaction yet. INIT starts the program again, QUIT ends the demo. Every step
// is also printed on standard output.
//
//   simulator_demo                  interactive
//   simulator_demo --play STEPS     plays the steps itself, one every 0.4 s, then quits. STEPS is a
//                                   comma-separated list of steps, each "-" (no input), INIT, or
//                                   input names joined by "+": START,TICK,-,TICK+STOP
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "formspp.h"
#include "watch_dog.h"

namespace {

constexpr int kHeight = 245;
constexpr int kUnknown = 2;
const char* const kInputs[] = {"START", "TICK", "STOP"};
const char* const kOutputs[] = {"ALARM", "WATCHING"};
constexpr int kInputCount = 3;

// One scripted step: INIT, or the marks of the three inputs before pressing GO.
struct Step {
  bool init = false;
  bool marks[kInputCount] = {};
};

// Returns false if text is not a valid script.
bool parse_steps(const std::string& text, std::vector<Step>* steps) {
  std::istringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    Step step;
    step.init = item == "INIT";
    if (!step.init && item != "-") {
      std::istringstream names(item);
      std::string name;
      while (std::getline(names, name, '+')) {
        int i = 0;
        while (i < kInputCount && name != kInputs[i]) ++i;
        if (i == kInputCount) return false;
        step.marks[i] = true;
      }
    }
    steps->push_back(step);
  }
  return !steps->empty();
}

// The scripted user of --play: one step per timeout, then QUIT.
struct Player {
  OFD_simulator_input* inputs;
  std::vector<Step> steps;
  size_t next = 0;
};

void play_step(void* data) {
  auto* player = static_cast<Player*>(data);
  OFD_simulator_input& inputs = *player->inputs;
  if (player->next == player->steps.size()) {
    inputs.quit_button->do_callback();
    return;
  }
  const Step& step = player->steps[player->next++];
  if (step.init) {
    inputs.init_button->do_callback();
  } else {
    for (int i = 0; i < kInputCount; ++i) inputs.signal_browser->checked(i + 1, step.marks[i]);
    inputs.go_button->do_callback();
  }
  Fl::repeat_timeout(0.4, play_step, data);
}

// Returns the names of the present signals, or "-" when there are none.
std::string present(const char* const* names, const bool* flags, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    if (flags[i]) text += (text.empty() ? "" : " ") + std::string(names[i]);
  }
  return text.empty() ? "-" : text;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Step> script;
  const bool playing = argc == 3 && std::strcmp(argv[1], "--play") == 0;
  if ((argc != 1 && !playing) || (playing && !parse_steps(argv[2], &script))) {
    std::fprintf(stderr,
                 "usage: simulator_demo [--play STEPS]\n"
                 "  STEPS: comma-separated steps, each -, INIT or inputs joined by +, "
                 "for instance START,TICK,-,TICK+STOP\n");
    return 1;
  }
  Fl_Window window(640, kHeight, "WATCH_DOG");
  OFD_simulator_input inputs(&window, 0, kHeight);
  OFD_simulator_output outputs(&window, 400, kHeight, "Outputs");
  window.end();
  for (const char* name : kInputs) inputs.add(name);
  for (const char* name : kOutputs) outputs.add(name);
  // Without a display the window stays hidden and the input panel answers QUIT at once.
  if (formspp_display_available()) {
    window.show();
  } else {
    std::printf("simulator_demo: no display, nothing to simulate\n");
  }

  Player player{&inputs, script};
  if (playing) Fl::add_timeout(0.4, play_step, &player);

  WatchDog program;
  int step = 0;
  int init = 0;
  int quit = 0;
  int values[kInputCount] = {};
  for (;;) {
    inputs.check(&init, &quit, values);
    if (quit != 0) break;
    int states[2] = {kUnknown, kUnknown};
    if (init != 0) {
      program.reset();
      step = 0;
      std::printf("INIT\n");
    } else {
      const bool in[kInputCount] = {values[0] != 0, values[1] != 0, values[2] != 0};
      const WatchDogOutputs out = program.react({in[0], in[1], in[2]});
      const bool emitted[2] = {out.alarm, out.watching};
      states[0] = out.alarm ? 1 : 0;
      states[1] = out.watching ? 1 : 0;
      std::printf("step %d: %s -> %s\n", ++step, present(kInputs, in, kInputCount).c_str(),
                  present(kOutputs, emitted, 2).c_str());
    }
    std::fflush(stdout);
    outputs.eval(states);
  }
  std::printf("QUIT\n");
  return 0;
}
