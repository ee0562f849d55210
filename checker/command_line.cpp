#include "command_line.h"

#include <string_view>

const char* const kUsage = "usage: morvac-check [--format=text|sarif] [-o OUT] FILE...\n";

const char* const kHelp =
    "usage: morvac-check [--format=text|sarif] [-o OUT] FILE...\n"
    "Reports where Esterel v5 programs cannot become Quarl with morvac: syntax errors, forms\n"
    "that morvac reads otherwise, constructs that it refuses, and what morvac does with a copy\n"
    "whose comments are blanked and whose `:=` are written `assign`.\n"
    "\n"
    "  -o OUT          write that copy of the (single) FILE to OUT\n"
    "  --format=text   one finding a line, FILE:LINE:COLUMN: LEVEL: MESSAGE [RULE] (default)\n"
    "  --format=sarif  the findings as SARIF 2.1.0\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "  FILE            a program; - reads standard input\n"
    "\n"
    "Exit status: 0 when every file translates as written (morvac translates the file itself\n"
    "and it holds no error), 1 otherwise, 2 on a usage error or a file that cannot be opened.\n";

Options parse_command_line(int argc, const char* const* argv) {
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
