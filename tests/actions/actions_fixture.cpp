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
  std::error_code ignored;
  if (!no_trash_.empty()) std::filesystem::remove_all(no_trash_, ignored);
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
  std::string folder = "/dev/shm/vorlix-test-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return {};
  no_trash_ = folder;
  MapDrive('e', no_trash_);
  return no_trash_;
}

}  // namespace vorlix::test
