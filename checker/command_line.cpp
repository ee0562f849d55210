#include "command_line.h"

#include <string_view>

#include "verify_copy.h"

const char* const kUsage =
    "usage: morvac-check [--format=text|sarif] [-fdiagnostics-column-unit=display|byte]\n"
    "                    [-fdiagnostics-column-origin=N] [--verify[=N]] [-m FILE]... [-o OUT]\n"
    "                    FILE...\n";

const char* const kHelp =
    "usage: morvac-check [--format=text|sarif] [-fdiagnostics-column-unit=display|byte]\n"
    "                    [-fdiagnostics-column-origin=N] [--verify[=N]] [-m FILE]... [-o OUT]\n"
    "                    FILE...\n"
    "Reports where Esterel v5 programs cannot become Quarl with morvac: syntax errors, forms\n"
    "that morvac reads otherwise, constructs that it refuses, and what morvac does with a copy\n"
    "whose comments and C preprocessor lines are blanked, whose spellings are morvac's and\n"
    "whose derived statements are written as Esterel defines them, and whose runs of modules\n"
    "are written out.\n"
    "\n"
    "  -o OUT          write that copy of the (single) FILE to OUT; -o - writes it to standard\n"
    "                  output, and the findings to standard error\n"
    "  -m FILE         read FILE for the modules that `run` names, without checking it; the\n"
    "                  modules of every FILE checked serve too\n"
    "  --format=text   one finding a line, FILE:LINE:COLUMN: LEVEL: MESSAGE [RULE] (default)\n"
    "  --format=sarif  the findings as SARIF 2.1.0\n"
    "  -fdiagnostics-column-unit=display  columns in characters, a tab to the next multiple\n"
    "                  of 8, as GCC and Emacs count (default)\n"
    "  -fdiagnostics-column-unit=byte     columns in bytes, as Vim's %c reads\n"
    "  -fdiagnostics-column-origin=N      the number of a line's first column (default 1)\n"
    "  --verify[=N]    run each rewritten copy and its program with morvac-sim's engine on N\n"
    "                  random input traces of 50 instants (default 100) and compare outputs\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "  FILE            a program; - reads standard input\n"
    "\n"
    "Exit status: 0 when every file's verdict is `translates`, 1 otherwise, 2 on a usage\n"
    "error or a file that cannot be read.\n";

namespace {

// Reads a number of at most 9 digits.
bool read_origin(std::string_view text, std::uint32_t& origin) {
  if (text.empty() || text.size() > 9) return false;
  std::uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  origin = value;
  return true;
}

}  // namespace

Options parse_command_line(int argc, const char* const* argv) {
  constexpr std::string_view kUnit = "-fdiagnostics-column-unit=";
  constexpr std::string_view kOrigin = "-fdiagnostics-column-origin=";
  constexpr std::string_view kVerify = "--verify=";
  Options options;
  bool only_files = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (only_files || arg == "-" || arg.empty() || arg.front() != '-') {
      options.files.emplace_back(arg);
    } else if (arg == "--") {
      only_files = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--format=text") {
      options.format = Format::Text;
    } else if (arg == "--format=sarif") {
      options.format = Format::Sarif;
    } else if (arg.substr(0, kUnit.size()) == kUnit) {
      const std::string_view unit = arg.substr(kUnit.size());
      if (unit != "display" && unit != "byte") {
        options.error = "unknown column unit " + std::string(unit) + " (display or byte)";
        return options;
      }
      options.columns.unit = unit == "byte" ? ColumnUnit::Byte : ColumnUnit::Display;
    } else if (arg.substr(0, kOrigin.size()) == kOrigin) {
      if (!read_origin(arg.substr(kOrigin.size()), options.columns.origin)) {
        options.error = "the column origin is a number: " + std::string(arg);
        return options;
      }
    } else if (arg == "--verify") {
      options.verify_traces = kVerifyTraces;
    } else if (arg.substr(0, kVerify.size()) == kVerify) {
      std::uint32_t traces = 0;
      if (!read_origin(arg.substr(kVerify.size()), traces) || traces == 0) {
        options.error = "the number of traces is a number from 1: " + std::string(arg);
        return options;
      }
      options.verify_traces = traces;
    } else if (arg == "-m") {
      if (i + 1 == argc) {
        options.error = "option -m needs a file name";
        return options;
      }
      options.module_files.emplace_back(argv[++i]);
    } else if (arg.substr(0, 2) == "-m") {
      options.module_files.emplace_back(arg.substr(2));
    } else if (arg == "-o") {
      if (i + 1 == argc) {
        options.error = "option -o needs a file name";
        return options;
      }
      options.copy_path = argv[++i];
    } else if (arg.substr(0, 2) == "-o") {
      options.copy_path = std::string(arg.substr(2));
    } else {
      options.error = "unknown option " + std::string(arg);
      return options;
    }
  }
  if (options.help || options.version) return options;
  if (options.files.empty()) {
    options.error = "no file to check";
  } else if (!options.copy_path.empty() && options.files.size() > 1) {
    options.error = "-o takes one input file only";
  }
  return options;
}
