// The command line of morvac-sim: morvac-sim [--main MODULE] [--panels] FILE...
#ifndef MORVAC_SIM_COMMAND_LINE_H
#define MORVAC_SIM_COMMAND_LINE_H

#include <string>
#include <vector>

namespace sim {

struct Options {
  std::vector<std::string> files;
  std::string main_module;  // empty: the last module read
  bool panels = false;
  bool help = false;
  bool version = false;
  std::string error;  // why the command line is not usable, or empty
};

// Returns the options of argv (argv[0] is the program).
[[nodiscard]] Options parse_command_line(int argc, const char* const* argv);

// The usage line and the help text.
extern const char* const kUsage;
extern const char* const kHelp;

}  // namespace sim

#endif  // MORVAC_SIM_COMMAND_LINE_H
