// The panels where no display can be opened, run as a user's program: it goes on to its end and
// writes what without_display.out holds.
#include <gtest/gtest.h>

#include "run_process.h"

namespace {

TEST(PanelsWithoutDisplay, SayItAndAnswerQuit) {
  const ProcessResult run = run_process({PANELS_WITHOUT_DISPLAY});  // DISPLAY removed
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, read_file(PANELS_CASES_DIR "/without_display.out"));
  EXPECT_EQ(run.err, "");
}

}  // namespace
