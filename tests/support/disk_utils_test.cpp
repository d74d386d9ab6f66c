// SPDX-License-Identifier: MIT

#include "support/disk_utils.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/disk_space.h"

#include "tests/common/drives.h"
#include "tests/common/test_env.h"
#include "tests/common/tmpfs_as_disk.h"

namespace vorlix {
namespace {

// Other processes write while the tests run: free space may move a little
// between two readings, never by the size of a whole file system.
constexpr std::int64_t kDrift = 512LL << 20;

class DiskUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetDrives(); }
};

TEST_F(DiskUtilsTest, DriveLettersInEitherCaseNameTheSameDrive) {
  DriveSpace lower, upper;
  ASSERT_TRUE(QueryDriveSpace('c', lower));
  ASSERT_TRUE(QueryDriveSpace('C', upper));
  EXPECT_NEAR(static_cast<double>(lower.total_free), static_cast<double>(upper.total_free), kDrift);
  EXPECT_EQ(lower.total_size, upper.total_size);
  EXPECT_GT(lower.total_size, 0);
  EXPECT_LE(lower.available_to_user, lower.total_free);
  EXPECT_LE(lower.total_free, lower.total_size);

  DriveClusters clusters;
  ASSERT_TRUE(QueryDriveClusters('c', clusters));
  EXPECT_GT(clusters.bytes_per_sector, 0u);
  EXPECT_GT(clusters.sectors_per_cluster, 0u);
  EXPECT_LE(clusters.free_clusters, clusters.total_clusters);
  EXPECT_TRUE(QueryDriveClusters(' ', clusters));  // the current drive

  EXPECT_FALSE(QueryDriveSpace('x', lower));
  EXPECT_FALSE(QueryDriveClusters('x', clusters));
  EXPECT_FALSE(QueryDriveSpace('1', lower));
}

TEST_F(DiskUtilsTest, SumCountsEachFileSystemOnceAndOnlyDrivesCToQ) {
  DriveSpace c;
  ASSERT_TRUE(QueryDriveSpace('c', c));
  EXPECT_NEAR(static_cast<double>(SumFreeSpace()), static_cast<double>(c.total_free), kDrift);

  // d maps into c's file systems, r onto a folder of its own file system: neither adds anything.
  const std::string folder = test::MakeTempDir("drive");
  test::MapDrive('d', folder);
  test::MapDrive('r', folder);
  EXPECT_NEAR(static_cast<double>(SumFreeSpace()), static_cast<double>(c.total_free), kDrift);
}

TEST_F(DiskUtilsTest, ADriveOnASmallFileSystemCountsItsOwnSpace) {
  const std::string mount_point = test::MakeTempDir("mnt");
  if (std::system(("mount -t tmpfs -o size=1m tmpfs '" + mount_point + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  }
  test::MapDrive('e', mount_point);
  DriveSpace e;
  bool queried = false;
  std::int64_t sum_with_e = 0;
  {
    const test::TmpfsAsDisk as_disk({mount_point});
    queried = QueryDriveSpace('e', e);
    sum_with_e = SumFreeSpace();
  }
  std::system(("umount '" + mount_point + "'").c_str());
  ASSERT_TRUE(queried);
  EXPECT_EQ(e.total_size, 1 << 20);
  EXPECT_EQ(e.total_free, 1 << 20);
  // The tmpfs lies below c's root too, so c's figures already held it once.
  DriveSpace c;
  ASSERT_TRUE(QueryDriveSpace('c', c));
  EXPECT_NEAR(static_cast<double>(sum_with_e), static_cast<double>(c.total_free + (1 << 20)), kDrift);
}

TEST_F(DiskUtilsTest, DrivesRToZAreLeftOutEvenOnFileSystemsOfTheirOwn) {
  const std::string c_folder = test::MakeTempDir("c"), r_folder = test::MakeTempDir("r");
  if (std::system(("mount -t tmpfs -o size=1m tmpfs '" + c_folder + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  }
  const bool r_mounted = std::system(("mount -t tmpfs -o size=2m tmpfs '" + r_folder + "'").c_str()) == 0;
  test::MapDrive('c', c_folder);
  test::MapDrive('r', r_folder);
  test::MapDrive('z', r_folder);
  std::int64_t sum = 0;
  {
    const test::TmpfsAsDisk as_disk({c_folder, r_folder});
    sum = SumFreeSpace();
  }
  std::system(("umount '" + c_folder + "'; umount '" + r_folder + "'").c_str());
  ASSERT_TRUE(r_mounted);
  EXPECT_EQ(sum, 1 << 20);
}

// File systems with exact figures at folders of the test's choosing, in place
// of the system's own while it lives; a folder lies on the file system mounted
// nearest above it, and on none when no mount is above it.
class FakeFileSystems final : public platform::FileSystemTable {
 public:
  FakeFileSystems() { platform::InstallFileSystemTable(this); }
  ~FakeFileSystems() override { platform::InstallFileSystemTable(nullptr); }
  FakeFileSystems(const FakeFileSystems&) = delete;
  FakeFileSystems& operator=(const FakeFileSystems&) = delete;

  // A file system of a type at `folder`, mounted from a block device (0: from
  // none); a user may take half of its free bytes.
  void Mount(const std::string& folder, std::uint64_t free, std::uint64_t total, const std::string& type = "ext4",
             dev_t block_device = 0) {
    std::filesystem::create_directories(folder);
    platform::FileSystemSpace space;
    space.device = ++last_device_;
    space.fragment_size = 1;
    space.free_fragments = space.free_bytes = free;
    space.available_bytes = free / 2;
    space.total_fragments = space.total_bytes = total;
    mounts_[folder] = {space, {folder, type, block_device}};
  }

  std::optional<platform::FileSystemSpace> SpaceOf(const std::string& folder) override {
    std::optional<platform::FileSystemSpace> nearest;
    std::size_t nearest_length = 0;
    for (const auto& [point, mount] : mounts_) {
      const bool above = folder == point || folder.starts_with(point + "/");
      if (above && point.size() >= nearest_length) {
        nearest = mount.first;
        nearest_length = point.size();
      }
    }
    return nearest;
  }
  std::vector<platform::MountedFileSystem> Mounts() override {
    std::vector<platform::MountedFileSystem> table;
    for (const auto& mount : mounts_) table.push_back(mount.second.second);
    return table;
  }

 private:
  std::map<std::string, std::pair<platform::FileSystemSpace, platform::MountedFileSystem>> mounts_;
  dev_t last_device_ = 0;
};

TEST_F(DiskUtilsTest, ByteCountsTakeEachFileSystemOnceOverDrivesCToQAndStayAtTheLargestCount) {
  FakeFileSystems systems;
  const std::string base = std::filesystem::canonical(test::MakeTempDir("drives")).string();
  systems.Mount(base + "/c", 1000, 4000, "btrfs", 7);
  systems.Mount(base + "/c/cache", 20, 100);  // below c's folder: part of drive c
  systems.Mount(base + "/c/home", 1000, 4000, "btrfs", 7);  // a subvolume of c's own: its space again
  systems.Mount(base + "/d", 300, 900);
  systems.Mount(base + "/q", 4, 8);
  systems.Mount(base + "/r", 50000, 90000);  // r to z are never summed
  for (const char letter : {'c', 'd', 'q', 'r'}) test::MapDrive(letter, base + "/" + letter);
  test::MapDrive('e', base + "/d");  // the same file system through a second letter
  test::MapDrive('z', base + "/r");

  EXPECT_EQ(SumFreeSpace(), 1000 + 20 + 300 + 4);
  DriveSpace c;
  ASSERT_TRUE(QueryDriveSpace('c', c));
  EXPECT_EQ(c.total_free, 1020);
  EXPECT_EQ(c.available_to_user, 510);
  EXPECT_EQ(c.total_size, 4100);
  DriveSpace r;
  ASSERT_TRUE(QueryDriveSpace('r', r));  // measured on its own all the same
  EXPECT_EQ(r.total_free, 50000);

  constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max() / 2;
  systems.Mount(base + "/d", kHuge, kHuge);
  systems.Mount(base + "/q", kHuge, kHuge);
  EXPECT_EQ(SumFreeSpace(), std::numeric_limits<std::int64_t>::max());
}

TEST_F(DiskUtilsTest, OnlyDiskBackedFileSystemsAreMeasured) {
  FakeFileSystems systems;
  const std::string base = std::filesystem::canonical(test::MakeTempDir("drives")).string();
  systems.Mount(base + "/c", 1000, 4000);
  systems.Mount(base + "/c/shm", 700, 800, "tmpfs");
  systems.Mount(base + "/c/run", 60, 70, "ramfs");
  systems.Mount(base + "/c/sys", 5, 5, "sysfs");
  systems.Mount(base + "/c/var", 200, 900, "xfs");
  systems.Mount(base + "/d", 300, 900, "tmpfs");  // a drive's own file system too
  test::MapDrive('c', base + "/c");
  test::MapDrive('d', base + "/d");
  EXPECT_EQ(SumFreeSpace(), 1000 + 200);
  DriveSpace c;
  ASSERT_TRUE(QueryDriveSpace('c', c));
  EXPECT_EQ(c.total_size, 4000 + 900);

  // Another program fills or empties memory: the sum stays; a disk's change shows.
  systems.Mount(base + "/c/shm", 100, 800, "tmpfs");
  systems.Mount(base + "/d", 900, 900, "tmpfs");
  EXPECT_EQ(SumFreeSpace(), 1000 + 200);
  systems.Mount(base + "/c/var", 250, 900, "xfs");
  EXPECT_EQ(SumFreeSpace(), 1000 + 250);
}

TEST(AddSaturatedTest, SumsOfHugeFileSystemsStayAtTheLargestCount) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(AddSaturated(40, 2), 42);
  EXPECT_EQ(AddSaturated(kMost - 2, 2), kMost);
  EXPECT_EQ(AddSaturated(kMost - 2, 3), kMost);
  EXPECT_EQ(AddSaturated(1LL << 62, 1ULL << 63), kMost);
  EXPECT_EQ(AddSaturated(0, std::numeric_limits<std::uint64_t>::max()), kMost);
}

TEST(SpaceFromClustersTest, LargeDrivesDoNotOverflow) {
  const DriveSpace space = SpaceFromClusters({4000000000u, 4294967295u, 4096, 128});
  EXPECT_EQ(space.total_size, 4294967295LL * 4096 * 128);
  EXPECT_EQ(space.total_free, 4000000000LL * 4096 * 128);
  EXPECT_EQ(space.available_to_user, space.total_free);
}

}  // namespace
}  // namespace vorlix
