// morvac-sim in a terminal: standard input holds one instant per line, the names of the inputs
// present in it separated by blanks (an empty line: none); each instant writes one line, the
// names of the outputs emitted in it, sorted, separated by one blank (an empty line: none).
#ifndef MORVAC_SIM_TERMINAL_H
#define MORVAC_SIM_TERMINAL_H

#include <istream>
#include <ostream>

#include "program_files.h"

namespace sim {

// Runs the program (which must be there) on the instants of in, writes their outputs to out and
// messages to err; returns the exit status: 0 at the end of in, 1 for an instant that cannot be
// simulated, 2 for a line that names no input or whose inputs break an input relation. A line
// that cannot run writes no output line. Messages about a line of in name it "-".
int run_in_terminal(const ProgramFiles& program, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace sim

#endif  // MORVAC_SIM_TERMINAL_H
