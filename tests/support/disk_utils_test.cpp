// SPDX-License-Identifier: MIT

#include "support/disk_utils.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <filesystem>
#include <limits>

#include "tests/common/drives.h"
#include "tests/common/test_env.h"

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
  const bool queried = QueryDriveSpace('e', e);
  const std::int64_t sum_with_e = SumFreeSpace();
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
  const std::int64_t sum = SumFreeSpace();
  std::system(("umount '" + c_folder + "'; umount '" + r_folder + "'").c_str());
  ASSERT_TRUE(r_mounted);
  EXPECT_EQ(sum, 1 << 20);
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
