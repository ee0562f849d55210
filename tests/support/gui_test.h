// Shared set-up of the tests that open real windows.
#ifndef MORVAC_TESTS_GUI_TEST_H
#define MORVAC_TESTS_GUI_TEST_H

#include <gtest/gtest.h>

#include <cstdlib>

#include "formspp/message_box.h"

// Skips the current test when no display can be opened, unless MORVAC_REQUIRE_DISPLAY is set
// (make test sets it and runs the suite under Xvfb), in which case the test fails instead.
#define REQUIRE_DISPLAY()                                                   \
  do {                                                                      \
    if (!formspp_display_available()) {                                     \
      if (std::getenv("MORVAC_REQUIRE_DISPLAY") != nullptr)                 \
        FAIL() << "MORVAC_REQUIRE_DISPLAY is set but no display opens";     \
      GTEST_SKIP() << "no display";                                         \
    }                                                                       \
  } while (0)

#endif  // MORVAC_TESTS_GUI_TEST_H
