// Runs the display-free tests of formspp as they run on a machine without a display, even under
// a virtual X server: the dialogs then take their console behaviour.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  unsetenv("DISPLAY");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
