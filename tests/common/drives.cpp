// SPDX-License-Identifier: MIT

#include "tests/common/drives.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/drive_paths.h"
#include "platform/drive_state.h"
#include "tests/common/test_env.h"

namespace vorlix::test {

void ResetDrives() {
  std::error_code ignored;
  std::filesystem::remove_all(platform::DosDevicesDir(), ignored);
  ASSERT_TRUE(platform::EnsureDefaultDrives());
  FreshDriveState();
}

OwnDriveLinks::OwnDriveLinks(const std::string& config) : before_(std::getenv("XDG_CONFIG_HOME")) {
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_TRUE(platform::EnsureDefaultDrives());
  FreshDriveState();
}

OwnDriveLinks::~OwnDriveLinks() {
  setenv("XDG_CONFIG_HOME", before_.c_str(), 1);
  FreshDriveState();
}

void FreshDriveState() {
  static std::unique_ptr<platform::DriveState> state;
  auto fresh = std::make_unique<platform::DriveState>();
  platform::InstallDriveState(fresh.get());
  state = std::move(fresh);
}

void MapDrive(char letter, const std::string& host_folder) {
  const std::string link = platform::DosDevicesDir() + "/" + std::string(1, letter) + ":";
  unlink(link.c_str());
  ASSERT_EQ(symlink(host_folder.c_str(), link.c_str()), 0) << link;
}

void DriveDTest::SetUp() {
  ResetDrives();
  root_ = std::filesystem::canonical(MakeTempDir("drive-d")).string();
  MapDrive('d', root_);
}

std::string OnC(const std::string& host_path) {
  std::string dos = "C:" + host_path;
  for (char& c : dos) {
    if (c == '/') c = '\\';
  }
  return dos;
}

}  // namespace vorlix::test
