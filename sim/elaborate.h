// The kernel program of a pure Esterel v5 module, made from the syntax trees of its files: each
// statement expanded into kernel statements (derived.h), each module that it runs put in place
// with its signals renamed. Data (valued signals, variables, tests of values, calls, tasks) is
// refused where it is written, and so is what the simulator does not run (`pre`, `finalize`).
#ifndef MORVAC_SIM_ELABORATE_H
#define MORVAC_SIM_ELABORATE_H

#include <optional>
#include <string>
#include <vector>

#include "esterel_parser.h"
#include "kernel.h"

namespace sim {

struct SourceFile {
  std::string name;
  std::string text;
  esterel::Parse parse;  // of text, without errors
};

// A message about the program: an error, or a note on the error before it. A message about no
// place in particular has file kNone.
struct Diagnostic {
  std::uint32_t file = kNone;
  esterel::Span span;
  bool note = false;
  std::string message;
};

struct Elaboration {
  std::string module;  // the name of the module run
  std::optional<KernelProgram> program;
  std::vector<Diagnostic> diagnostics;  // in the order found; none when program is there
};

// Returns the program of the module named main_module, or of the last module of the files
// when main_module is empty. Source ranges name files by their index in files.
[[nodiscard]] Elaboration elaborate(const std::vector<SourceFile>& files,
                                    const std::string& main_module);

// Kernel statements that a program may grow to once its counts are unrolled.
constexpr std::size_t kMaxStatements = std::size_t{1} << 22;

}  // namespace sim

#endif  // MORVAC_SIM_ELABORATE_H
