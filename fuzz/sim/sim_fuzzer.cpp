// Fuzzes morvac-sim in process: the input is a program, then a line "%%", then instants, one a
// line, as standard input gives them. The program is read and elaborated; when it can run, the
// instants run through the terminal protocol (at most 200 of them).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "program_files.h"
#include "terminal.h"

namespace {

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find("\n%%\n");
  const std::string program_text(input.substr(0, split));
  std::string instants;
  if (split != std::string_view::npos) instants = std::string(input.substr(split + 4));
  std::size_t lines = 0;
  for (std::size_t i = 0; i < instants.size(); ++i) {
    if (instants[i] == '\n' && ++lines == 200) instants.resize(i + 1);
  }

  const sim::ProgramFiles program = sim::read_program_files({{"fuzz.strl", program_text}}, "");
  check(program.program.has_value() == program.diagnostics.empty(),
        "a program is refused with a reason, and only then");
  for (const sim::Diagnostic& d : program.diagnostics) {
    check(!sim::format_diagnostic(program, d).empty(), "every diagnostic has a message");
  }
  if (!program.program) return 0;
  std::istringstream in(instants);
  std::ostringstream out, err;
  const int status = sim::run_in_terminal(program, in, out, err);
  check(status == 0 || status == 1 || status == 2, "the status is 0, 1 or 2");
  check((status == 0) == err.str().empty(), "a message exactly when the run stops early");
  const std::string written = out.str();
  std::size_t written_lines = 0;
  for (const char c : written) written_lines += c == '\n' ? 1 : 0;
  std::size_t read_lines = 0;
  for (const char c : instants) read_lines += c == '\n' ? 1 : 0;
  if (!instants.empty() && instants.back() != '\n') ++read_lines;
  check(status != 0 || written_lines == read_lines, "one output line for each instant");
  check(written_lines <= read_lines, "no more output lines than instants");
  return 0;
}
