#include "command_line.h"

#include <string_view>

namespace sim {

const char* const kUsage = "usage: morvac-sim [--main MODULE] [--panels] FILE...\n";

const char* const kHelp =
    "usage: morvac-sim [--main MODULE] [--panels] FILE...\n"
    "Runs a pure Esterel v5 program instant by instant, under the constructive semantics.\n"
    "\n"
    "Standard input holds one instant per line: the names of the inputs present in it,\n"
    "separated by blanks (an empty line: none). Each instant writes one line: the names of\n"
    "the outputs emitted in it, sorted, separated by one blank (an empty line: none).\n"
    "\n"
    "  --main MODULE   the module to run (default: the last module read)\n"
    "  --panels        run on the simulator panels: GO runs an instant with the inputs\n"
    "                  marked, INIT starts again, QUIT ends\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "  FILE            the program's files; a module may run the modules of any of them\n"
    "\n"
    "Exit status: 0 at the end of input (or after QUIT), 1 for a program that cannot be\n"
    "simulated, 2 for a line that names no input or breaks an input relation, a usage error,\n"
    "a file that cannot be read, or --panels without a display.\n";

Options parse_command_line(int argc, const char* const* argv) {
  Options options;
  bool only_files = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (only_files || arg.empty() || arg.front() != '-') {
      options.files.emplace_back(arg);
    } else if (arg == "--") {
      only_files = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--panels") {
      options.panels = true;
    } else if (arg == "--main") {
      if (i + 1 == argc) {
        options.error = "option --main needs a module name";
        return options;
      }
      options.main_module = argv[++i];
    } else if (arg.substr(0, 7) == "--main=") {
      options.main_module = std::string(arg.substr(7));
    } else if (arg == "-") {
      options.error = "standard input holds the instants: give the program as files";
      return options;
    } else {
      options.error = "unknown option " + std::string(arg);
      return options;
    }
  }
  if (!options.help && !options.version && options.files.empty()) {
    options.error = "no file to run";
  }
  return options;
}

}  // namespace sim
