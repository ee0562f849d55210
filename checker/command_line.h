// The command line of morvac-check: morvac-check [options] FILE...
#ifndef MORVAC_CHECKER_COMMAND_LINE_H
#define MORVAC_CHECKER_COMMAND_LINE_H

#include <cstddef>
#include <string>
#include <vector>

#include "line_index.h"

enum class Format { Text, Sarif };

struct Options {
  std::vector<std::string> files;  // "-" is standard input
  std::vector<std::string> module_files;  // -m FILE: read for the modules that runs name
  std::string copy_path;           // -o OUT ("-": standard output), or empty
  Format format = Format::Text;
  ColumnStyle columns;  // of the text findings and verdict lines
  std::size_t verify_traces = 0;  // --verify[=N]: random traces that check each copy, or 0
  bool help = false;
  bool version = false;
  std::string error;  // why the command line is not usable, or empty
};

// Returns the options of argv (argv[0] is the program).
[[nodiscard]] Options parse_command_line(int argc, const char* const* argv);

// The usage line and the help text.
extern const char* const kUsage;
extern const char* const kHelp;

#endif  // MORVAC_CHECKER_COMMAND_LINE_H
