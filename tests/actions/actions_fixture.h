// SPDX-License-Identifier: MIT
// Each cleaning test starts with a settings store and drive links of its own,
// and drive d mapped to a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/common/test_mounts.h"
#include "tests/common/tmpfs_as_disk.h"

namespace vorlix::test {

class CleaningTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Maps drive c to a small tmpfs of its own, counted as a disk, and unmaps d,
  // so that the free space measured over drives c to q is that tmpfs's alone
  // and moves only by what the test does. False when this run may not mount.
  bool MeasureOnlyPrivateTmpfs();

  // Maps drive e to a small tmpfs of its own, a file system that has no
  // trash, unmounted when the test ends; empty when this run may not mount.
  std::string MapNoTrashDrive();

  std::string root_;      // drive d's folder
  std::string mount_;     // drive c's tmpfs once mounted
  std::unique_ptr<TmpfsAsDisk> mount_as_disk_;
  std::unique_ptr<TmpfsMount> no_trash_;  // drive e's tmpfs once mounted
};

// Skips the test unless the free space can be measured without other
// programs' writes in it.
#define REQUIRE_PRIVATE_TMPFS()                                                    \
  if (!MeasureOnlyPrivateTmpfs()) {                                                \
    GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";   \
  }

}  // namespace vorlix::test
