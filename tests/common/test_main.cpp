// SPDX-License-Identifier: MIT
// Entry point of every test program: the temporary HOME and XDG folders are set
// before anything else runs, so no test can reach the real home folder.
#include <gtest/gtest.h>

#include "tests/common/test_env.h"

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
