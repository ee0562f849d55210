// morvac-sim: runs a pure Esterel v5 program instant by instant, in a terminal or on the
// simulator panels of formspp.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "panels.h"
#include "program_files.h"
#include "terminal.h"

int main(int argc, char** argv) {
  const sim::Options options = sim::parse_command_line(argc, argv);
  if (!options.error.empty()) {
    std::cerr << "morvac-sim: " << options.error << '\n' << sim::kUsage;
    return 2;
  }
  if (options.help) {
    std::cout << sim::kHelp;
    return 0;
  }
  if (options.version) {
    std::cout << "morvac-sim " << MORVAC_VERSION << '\n';
    return 0;
  }
  std::ios::sync_with_stdio(false);
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& name : options.files) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    std::error_code error;
    const bool folder = std::filesystem::is_directory(name, error);
    if (in && !folder) text << in.rdbuf();
    if (!in || in.bad() || folder) {
      std::cerr << "morvac-sim: cannot read " << name << '\n';
      return 2;
    }
    if (text.str().size() >= 0xFFFFFFFFu) {
      std::cerr << "morvac-sim: " << name << " is larger than 4 GiB\n";
      return 2;
    }
    files.emplace_back(name, text.str());
  }
  const sim::ProgramFiles program = sim::read_program_files(files, options.main_module);
  if (!program.program) {
    for (const sim::Diagnostic& d : program.diagnostics) {
      std::cerr << sim::format_diagnostic(program, d) << '\n';
    }
    return 1;
  }
  if (options.panels) return sim::run_on_panels(program, std::cerr);
  return sim::run_in_terminal(program, std::cin, std::cout, std::cerr);
}
