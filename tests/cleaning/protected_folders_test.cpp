// SPDX-License-Identifier: MIT
#include "cleaning/protected_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cleaning/search_places.h"
#include "platform/xdg.h"
#include "tests/common/test_mounts.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;

TEST(ProtectedFoldersTest, SystemTreesAndSharedFoldersAreKnownByTheirPaths) {
  for (const char* system : {"/", "/var", "/var/lib", "/var/lib/dpkg", "/var/log/apt", "/var/spool", "/var/mail",
                             "/var/backups", "/var/cache", "/var/cachex", "/var/tmp", "/lost+found", "/opt/app", "/srv/www",
                             "/snap/core", "/run/user/1000", "/dev/shm/x", "/lib64", "/libx32/x", "/usr/share",
                             "/home", "/tmp", "/root", "/mnt", "/media"}) {
    EXPECT_TRUE(IsSystemFolder(system)) << system;
  }
  for (const char* free : {"/var/cache/apt/archives", "/var/tmp/build", "/variable", "/home/ann",
                           "/tmp/x", "/mnt/usb", "/media/ann/stick", "/usr2", "/optional"}) {
    EXPECT_FALSE(IsSystemFolder(free)) << free;
  }
}

TEST(ProtectedFoldersTest, AProtectedFolderIsKnownHoweverItIsReached) {
  const std::string home = fs::canonical(platform::HomeDir()).string();
  const std::string top = fs::canonical(test::MakeTempDir("reached")).string();
  fs::create_directories(home + "/Documents");
  fs::create_directories(home + "/stuff/Pictures");
  fs::create_directories(home + "/projects");
  fs::create_directories(home + "/tunes/Music");
  fs::remove(home + "/linked");
  fs::create_directory_symlink(home + "/tunes", home + "/linked");
  test::WriteFile(platform::ConfigHome() + "/user-dirs.dirs",
                  "XDG_PICTURES_DIR=\"$HOME/stuff/Pictures\"\nXDG_MUSIC_DIR=\"$HOME/linked/Music\"\n");
  fs::create_directory_symlink(home, top + "/home-link");

  EXPECT_EQ(ProtectedFolderReason(top + "/home-link"), "your home folder");
  EXPECT_EQ(ProtectedFolderReason(home + "/stuff"),
            "a folder that holds one of your own folders (" + home + "/stuff/Pictures)");
  EXPECT_EQ(ProtectedFolderReason(home + "/projects"), std::nullopt);
  // A user folder named through a link is judged where the link leads.
  EXPECT_EQ(ProtectedFolderReason(home + "/tunes"),
            "a folder that holds one of your own folders (" + home + "/linked/Music)");
  EXPECT_EQ(ProtectedFolderReason(top), std::nullopt);

  // A bind mount is judged where it really lies.
  for (const char* point : {"home", "docs", "system", "projects"}) fs::create_directory(top + "/" + point);
  const test::BindMount bound_home(home, top + "/home");
  if (!bound_home.ok()) GTEST_SKIP() << "a bind mount needs privileges this run does not have";
  const test::BindMount bound_docs(home + "/Documents", top + "/docs");
  const test::BindMount bound_system("/var/lib", top + "/system");
  const test::BindMount bound_projects(home + "/projects", top + "/projects");
  EXPECT_EQ(ProtectedFolderReason(top + "/home"), "your home folder");
  EXPECT_EQ(ProtectedFolderReason(top + "/docs"), "one of your own folders (" + home + "/Documents)");
  EXPECT_EQ(ProtectedFolderReason(top + "/system"), "a system folder");
  EXPECT_EQ(ProtectedFolderReason(top + "/home/stuff"),
            "a folder that holds one of your own folders (" + home + "/stuff/Pictures)");
  EXPECT_EQ(ProtectedFolderReason(top + "/projects"), std::nullopt);
  fs::remove(platform::ConfigHome() + "/user-dirs.dirs");
}

}  // namespace
}  // namespace vorlix
