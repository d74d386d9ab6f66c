// SPDX-License-Identifier: MIT

#include "tests/actions/actions_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/drive_paths.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::test {

void CleaningTest::SetUp() {
  setenv("XDG_CONFIG_HOME", MakeTempDir("config").c_str(), 1);
  ResetDrives();
  root_ = std::filesystem::canonical(MakeTempDir("clean")).string();
  MapDrive('d', root_);
}

void CleaningTest::TearDown() {
  // Leave the mount before unmounting it.
  if (chdir(TestRoot().c_str()) != 0) ADD_FAILURE() << "cannot leave the test's folders";
  FreshDriveState();
  if (!mount_.empty() && std::system(("umount '" + mount_ + "'").c_str()) != 0) {
    ADD_FAILURE() << "cannot unmount " << mount_;
  }
}

bool CleaningTest::MeasureOnlyPrivateTmpfs() {
  const std::string folder = MakeTempDir("tmpfs");
  if (std::system(("mount -t tmpfs -o size=16m tmpfs '" + folder + "' 2>/dev/null").c_str()) != 0) return false;
  mount_ = folder;
  MapDrive('c', mount_);
  unlink((platform::DosDevicesDir() + "/d:").c_str());
  FreshDriveState();
  return true;
}

}  // namespace vorlix::test
