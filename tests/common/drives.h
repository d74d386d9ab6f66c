// SPDX-License-Identifier: MIT
// Drive letters for tests: c: maps to "/" as on a first start, further letters
// map to temporary folders.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vorlix::test {

// Starts the drive layer afresh: only the default drives, and no remembered
// current directories.
void ResetDrives();

// Installs a fresh drive state (the drive table read again, the current
// directories taken again from the process's real one) in place of the last.
void FreshDriveState();

// Maps a drive letter to a host folder (replacing an earlier mapping).
void MapDrive(char letter, const std::string& host_folder);

// "C:" followed by a host path: the DOS path of a host path on drive c.
std::string OnC(const std::string& host_path);

// Points the drive links at a folder of their own below `config` (the
// XDG_CONFIG_HOME of a check that runs as another user) for as long as it
// lives, with the default drives; puts the earlier ones back when it goes.
class OwnDriveLinks {
 public:
  explicit OwnDriveLinks(const std::string& config);
  OwnDriveLinks(const OwnDriveLinks&) = delete;
  OwnDriveLinks& operator=(const OwnDriveLinks&) = delete;
  ~OwnDriveLinks();

 private:
  std::string before_;
};

// A test whose drive d maps to a fresh temporary folder, `root_` (its
// canonical host path), on a drive layer started afresh.
class DriveDTest : public ::testing::Test {
 protected:
  void SetUp() override;
  std::string root_;
};

}  // namespace vorlix::test
