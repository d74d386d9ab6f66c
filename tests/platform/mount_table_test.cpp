// SPDX-License-Identifier: MIT
#include "platform/mount_table.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/child_folder.h"
#include "tests/common/test_mounts.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

namespace fs = std::filesystem;

TEST(MountTableTest, AFolderSeenThroughABindMountLiesWhereItWasBoundFrom) {
  const std::vector<MountEntry> ext4 = ParseMountInfo(
      "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
      "30 22 0:40 / /tmp rw - tmpfs tmpfs rw\n"
      "not a mount line\n"
      "45 30 254:0 /home/ann /tmp/b rw,relatime - ext4 /dev/vda rw\n"
      "46 22 254:0 /home/ann/My\\040Files /mnt/my\\040files rw - ext4 /dev/vda rw\n"
      "47 22 0:40 /data /srv/d rw - tmpfs tmpfs rw\n"
      "48 22 0:99 /sub /mnt/x rw - ext4 /dev/vdc rw");
  ASSERT_EQ(ext4.size(), 6u);
  EXPECT_EQ(WhereItLies("/tmp/b", ext4), "/home/ann");
  EXPECT_EQ(WhereItLies("/tmp/b/Documents/x", ext4), "/home/ann/Documents/x");
  EXPECT_EQ(WhereItLies("/tmp/bb", ext4), "/tmp/bb");
  EXPECT_EQ(WhereItLies("/mnt/my files/a", ext4), "/home/ann/My Files/a");
  EXPECT_EQ(WhereItLies("/srv/d/z", ext4), "/tmp/data/z");
  EXPECT_EQ(WhereItLies("/usr/lib", ext4), "/usr/lib");
  // Nothing wider of that file system is mounted: the path is all there is.
  EXPECT_EQ(WhereItLies("/mnt/x/y", ext4), "/mnt/x/y");

  // Subvolumes: every mount of the file system has a root of its own.
  const std::vector<MountEntry> btrfs = ParseMountInfo(
      "1 0 0:30 /@ / rw - btrfs /dev/vdb rw\n"
      "2 1 0:30 /@home /home rw - btrfs /dev/vdb rw\n"
      "3 1 0:30 /@home/ann /tmp/b rw - btrfs /dev/vdb rw\n"
      "4 3 0:30 /@home/ann/Documents /tmp/b rw - btrfs /dev/vdb rw\n");
  EXPECT_EQ(WhereItLies("/home/ann", btrfs), "/home/ann");
  EXPECT_EQ(WhereItLies("/etc", btrfs), "/etc");
  // The last mount at a point is the one seen there.
  EXPECT_EQ(WhereItLies("/tmp/b/x", btrfs), "/home/ann/Documents/x");
}

TEST(ChildFolderTest, NeitherALinkNorAMountIsEnteredWithOrWithoutOpenat2) {
  const std::string top = fs::canonical(test::MakeTempDir("child")).string();
  for (const char* folder : {"real", "other", "mounted"}) fs::create_directory(top + "/" + folder);
  fs::create_directory_symlink(top + "/other", top + "/link");
  const test::BindMount bind(top + "/other", top + "/mounted");
  const int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  for (auto* opener : {&OpenChildFolder, &OpenChildFolderPortable}) {
    EXPECT_EQ(opener(fd, "real").kind, ChildFolderKind::kOpened);
    EXPECT_TRUE(opener(fd, "real").fd.ok());
    EXPECT_EQ(opener(fd, "link").kind, ChildFolderKind::kLink);
    EXPECT_FALSE(opener(fd, "link").fd.ok());
    const ChildFolder missing = opener(fd, "missing");
    EXPECT_EQ(missing.kind, ChildFolderKind::kNotOpened);
    EXPECT_EQ(missing.error, ENOENT);
    // A bind mount of a folder of the same file system is a mount all the same.
    if (bind.ok()) {
      EXPECT_EQ(opener(fd, "mounted").kind, ChildFolderKind::kOtherMount);
    }
  }
  close(fd);
  if (!bind.ok()) GTEST_SKIP() << "a bind mount needs privileges this run does not have";
}

}  // namespace
}  // namespace vorlix::platform
