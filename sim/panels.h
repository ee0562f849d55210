// morvac-sim on the simulator panels of formspp, side by side in one window: the input panel
// lists the inputs (a mark for the next instant, a sticky mark to keep one from instant to
// instant), the output panel the outputs with their lamps. GO runs one instant with the marked inputs and lights the lamps of
// what it emitted (blue; yellow for an output not emitted, red before the first instant and
// after an instant that could not run); INIT starts the program again; QUIT ends.
#ifndef MORVAC_SIM_PANELS_H
#define MORVAC_SIM_PANELS_H

#include <ostream>

#include "program_files.h"

namespace sim {

// Runs the program (which must be there) on the panels until QUIT; an instant that cannot run
// is said in a message box and on err. Returns the exit status: 0 after QUIT, 2 when no display
// can be opened (said on err).
int run_on_panels(const ProgramFiles& program, std::ostream& err);

}  // namespace sim

#endif  // MORVAC_SIM_PANELS_H
