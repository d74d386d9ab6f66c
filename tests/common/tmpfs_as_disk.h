// SPDX-License-Identifier: MIT
// The system's own file systems, with tmpfs mounts of a test's taken as disks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/disk_space.h"

namespace vorlix::test {

// Installed while it lives in place of the system's own table: the same
// figures and mounts, except that the mounts at the given folders count as
// disk-backed. A small tmpfs a test mounts then stands for a disk whose free
// space moves only by what the test does.
class TmpfsAsDisk final : public platform::FileSystemTable {
 public:
  explicit TmpfsAsDisk(const std::vector<std::string>& mount_points);
  ~TmpfsAsDisk() override;
  TmpfsAsDisk(const TmpfsAsDisk&) = delete;
  TmpfsAsDisk& operator=(const TmpfsAsDisk&) = delete;

  std::optional<platform::FileSystemSpace> SpaceOf(const std::string& host_folder) override;
  std::vector<platform::MountedFileSystem> Mounts() override;

 private:
  platform::FileSystemTable& system_;
  std::vector<std::string> points_;  // canonical
};

}  // namespace vorlix::test
