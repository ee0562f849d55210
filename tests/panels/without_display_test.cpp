// The panels where no display can be opened, run as a user's program: it goes on to its end.
#include <gtest/gtest.h>

#include "run_process.h"

namespace {

TEST(PanelsWithoutDisplay, SayItAndAnswerQuit) {
  const ProcessResult run = run_process({PANELS_WITHOUT_DISPLAY});  // DISPLAY removed
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Inputs Pannel: no display, every step answers QUIT\n"
            "own check: quit 1, init -1, values -1 -1\n"
            "own eval: quit 1\n"
            "Outputs: no display, the outputs and their states are kept, not shown\n"
            "own: 11 outputs, page 0: O0=0 O1=1 O2=2 O3=0 O4=1 O5=2 O6=0 O7=1 O8=2 O9=0 O10=1\n"
            "embedded check: quit 1, init -1, values -1 -1\n"
            "embedded eval: quit 1\n"
            "embedded: 1 outputs, page 0: ALARM=1\n");
  EXPECT_EQ(run.err, "");
}

}  // namespace
