// The files of a program, read for morvac-sim: each scanned and parsed, its lexical and syntax
// errors and the refusals of its elaboration (elaborate.h) as diagnostics, which it writes as
// morvac-check writes its findings: FILE:LINE:COLUMN: error: MESSAGE.
#ifndef MORVAC_SIM_PROGRAM_FILES_H
#define MORVAC_SIM_PROGRAM_FILES_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "elaborate.h"
#include "kernel.h"
#include "line_index.h"
#include "simulator.h"

namespace sim {

struct ProgramFiles {
  std::vector<SourceFile> files;
  std::vector<LineIndex> lines;  // of each file
  std::string module;            // the module run
  std::optional<KernelProgram> program;
  std::vector<Diagnostic> diagnostics;  // every error when there is no program
};

// Returns the program of the files (each a name and a text) whose main module is main_module,
// or the last module read when it is empty.
[[nodiscard]] ProgramFiles read_program_files(
    const std::vector<std::pair<std::string, std::string>>& files, const std::string& main_module);

// Returns "FILE:LINE:COLUMN: error: MESSAGE" ("note:" for a note), or "morvac-sim: error:
// MESSAGE" for a diagnostic of no place.
[[nodiscard]] std::string format_diagnostic(const ProgramFiles& program, const Diagnostic& d);

// Returns the diagnostic of an error of simulation: at its place, with describe()'s message.
[[nodiscard]] Diagnostic diagnostic_of(const KernelProgram& program, const ReactionError& error);

}  // namespace sim

#endif  // MORVAC_SIM_PROGRAM_FILES_H
