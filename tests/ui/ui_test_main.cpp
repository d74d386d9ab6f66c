// SPDX-License-Identifier: MIT
// Entry point of the GUI test programs: the private HOME and XDG folders first,
// then the application object on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/common/test_env.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  vorlix::Application app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
