// SPDX-License-Identifier: MIT
// Entry point of the GUI test programs: the private HOME and XDG folders first,
// then the application object on Qt's offscreen platform (built with
// VORLIX_TEST_SCREEN, on that screen description at scale 2).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/common/test_env.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
#ifdef VORLIX_TEST_SCREEN
  // A screen of the given geometry at scale 2, as a high-density laptop's.
  setenv("QT_SCALE_FACTOR", "2", 1);
  setenv("QT_QPA_PLATFORM", "offscreen:configfile=" VORLIX_TEST_SCREEN, 1);
#else
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
#endif
  vorlix::Application app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
