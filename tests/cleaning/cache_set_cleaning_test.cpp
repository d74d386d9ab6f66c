// SPDX-License-Identifier: MIT
#include "cleaning/cache_set_cleaning.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/common/test_env.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::PathExists;
using test::WriteFile;

class CacheSetCleaningTest : public ::testing::Test {
 protected:
  CacheSetCleaningTest() : home_(fs::canonical(test::MakeTempDir("home")).string()) {
    fs::create_directories(home_ + "/cache/sub/deep");
    fs::create_directories(home_ + "/outside");
    WriteFile(home_ + "/cache/entry", "12345");
    WriteFile(home_ + "/cache/.hidden", "123");
    WriteFile(home_ + "/cache/sub/deep/index", "1234567");
    WriteFile(home_ + "/outside/keep", "kept");
    fs::create_directory_symlink(home_ + "/outside", home_ + "/cache/sub/to-folder");
    fs::create_symlink(home_ + "/outside/keep", home_ + "/cache/to-file");
  }

  CacheFolder Cache() const { return {home_ + "/cache", home_, {}, {}}; }

  std::string home_;
};

TEST_F(CacheSetCleaningTest, EveryFileBelowTheFolderGoesLinksAsLinksAndTheFoldersStay) {
  const std::uint64_t link_bytes = fs::read_symlink(home_ + "/cache/to-file").string().size() +
                                   fs::read_symlink(home_ + "/cache/sub/to-folder").string().size();
  const CacheFolderResult result = EmptyCacheFolder(Cache(), false, nullptr);
  EXPECT_EQ(result.outcome, CacheFolderOutcome::kDone);
  EXPECT_EQ(result.removed_files, 5u);
  EXPECT_EQ(result.removed_bytes, 5u + 3u + 7u + link_bytes);
  for (const char* gone : {"entry", ".hidden", "sub/deep/index", "to-file", "sub/to-folder"}) {
    EXPECT_FALSE(PathExists(home_ + "/cache/" + gone)) << gone;
  }
  EXPECT_TRUE(fs::is_directory(home_ + "/cache/sub/deep"));
  EXPECT_EQ(test::ReadFile(home_ + "/outside/keep"), "kept");
}

TEST_F(CacheSetCleaningTest, NothingGoesFromAFolderNoLongerWhereItWasFoundNorFromARunningBrowsersSet) {
  const CacheSet running{"Chromium", "Default", {Cache()}, 3, 15, true};
  const std::vector<CacheFolderResult> results = EmptyCacheSet(running, false, nullptr);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, CacheFolderOutcome::kRunning);
  EXPECT_TRUE(PathExists(home_ + "/cache/entry"));

  // The cache folder's path now leads through a link to another folder.
  fs::rename(home_ + "/cache", home_ + "/elsewhere");
  fs::create_directory_symlink(home_ + "/elsewhere", home_ + "/cache");
  EXPECT_EQ(EmptyCacheFolder(Cache(), false, nullptr).outcome, CacheFolderOutcome::kMoved);
  EXPECT_TRUE(PathExists(home_ + "/elsewhere/entry"));

  fs::remove(home_ + "/cache");
  EXPECT_EQ(EmptyCacheFolder(Cache(), false, nullptr).outcome, CacheFolderOutcome::kGone);
}

}  // namespace
}  // namespace vorlix
