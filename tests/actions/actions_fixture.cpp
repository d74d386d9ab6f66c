// SPDX-License-Identifier: MIT

#include "tests/actions/actions_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

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
  mount_as_disk_.reset();
  if (!mount_.empty() && std::system(("umount '" + mount_ + "'").c_str()) != 0) {
    ADD_FAILURE() << "cannot unmount " << mount_;
  }
  no_trash_.reset();
}

bool CleaningTest::MeasureOnlyPrivateTmpfs() {
  const std::string folder = MakeTempDir("tmpfs");
  if (std::system(("mount -t tmpfs -o size=16m tmpfs '" + folder + "' 2>/dev/null").c_str()) != 0) return false;
  mount_ = folder;
  mount_as_disk_ = std::make_unique<TmpfsAsDisk>(std::vector<std::string>{mount_});
  MapDrive('c', mount_);
  unlink((platform::DosDevicesDir() + "/d:").c_str());
  FreshDriveState();
  return true;
}

std::string CleaningTest::MapNoTrashDrive() {
  const std::string folder = MakeTempDir("no-trash");
  no_trash_ = std::make_unique<TmpfsMount>(folder);
  if (!no_trash_->ok()) return {};
  MapDrive('e', folder);
  return folder;
}

}  // namespace vorlix::test
