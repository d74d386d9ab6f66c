// SPDX-License-Identifier: MIT

#include "tests/common/tmpfs_as_disk.h"

#include <algorithm>
#include <filesystem>

namespace vorlix::test {

TmpfsAsDisk::TmpfsAsDisk(const std::vector<std::string>& mount_points) : system_(platform::CurrentFileSystemTable()) {
  for (const std::string& point : mount_points) points_.push_back(std::filesystem::weakly_canonical(point).string());
  platform::InstallFileSystemTable(this);
}

TmpfsAsDisk::~TmpfsAsDisk() { platform::InstallFileSystemTable(nullptr); }

std::optional<platform::FileSystemSpace> TmpfsAsDisk::SpaceOf(const std::string& host_folder) {
  return system_.SpaceOf(host_folder);
}

std::vector<platform::MountedFileSystem> TmpfsAsDisk::Mounts() {
  std::vector<platform::MountedFileSystem> mounts = system_.Mounts();
  for (platform::MountedFileSystem& mount : mounts) {
    if (std::find(points_.begin(), points_.end(), mount.mount_point) != points_.end()) mount.type = "ext4";
  }
  return mounts;
}

}  // namespace vorlix::test
