// Fuzzes the whole translation of one input, in process: scanner, parser and every action, with
// the run's exits turned into returns. Checks what must hold for any input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "in_process.h"

namespace {

std::string scratch_path;

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool ends_with(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  scratch_path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                 "/morvac-fuzz-" + std::to_string(getpid()) + ".qrl";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  const InProcessRun run = translate_in_process(source, scratch_path);
  check(run.status == 0 || run.status == 1, "a run ends with status 0 or 1 on a readable input");
  check(run.status != 0 || (run.parse_result >= 0 && run.parse_result <= 2),
        "the parser returns 0, 1 or 2");
  check(run.log.size() <= source.size(), "the echo holds input characters only");
  if (run.status == 0 && run.parse_result == 0) {
    check(run.texts_left == 0, "an accepted input leaves no text value alive");
    check(ends_with(run.output, "\nend\n\n"), "an accepted input ends with a module's end");
    check(run.output.compare(0, 7, "module ") == 0, "an accepted input starts with a module");
  }
  if (run.status == 1) {
    check(ends_with(run.errors, "...\n") || ends_with(run.errors, "... stop\n"),
          "a stop ends standard error with its message");
  }
  return 0;
}
