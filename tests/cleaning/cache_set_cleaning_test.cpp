// SPDX-License-Identifier: MIT
#include "cleaning/cache_set_cleaning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/xdg.h"
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

// Counts what a run tells, and asks it to stop after `stop_after` files.
class CountingWatcher : public CacheCleanWatcher {
 public:
  explicit CountingWatcher(std::uint64_t stop_after = UINT64_MAX) : stop_after_(stop_after) {}
  void FileDone(std::uint64_t bytes, EntryResult /*result*/) override {
    ++files;
    this->bytes += bytes;
    if (files == 1 && after_first) after_first();
  }
  void FileLeft(const std::string& path) override { left.push_back(path); }
  bool Stop() override { return files >= stop_after_; }

  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::vector<std::string> left;  // the paths of the files that stayed, sorted by Sorted()
  std::function<void()> after_first;

  const std::vector<std::string>& Sorted() {
    std::sort(left.begin(), left.end());
    return left;
  }

 private:
  std::uint64_t stop_after_;
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

  // Into the trash: while it cannot be used every file stays and is named;
  // then they go into it.
  const std::string trash = platform::DataHome() + "/Trash";
  fs::remove_all(trash);
  WriteFile(trash, "");
  WriteFile(home_ + "/cache/entry", "12345");
  WriteFile(home_ + "/cache/sub/deep/index", "1234567");
  CountingWatcher no_trash;
  const CacheFolderResult kept = EmptyCacheFolder(Cache(), true, &no_trash);
  EXPECT_EQ(kept.outcome, CacheFolderOutcome::kDone);
  EXPECT_EQ(kept.removed_files, 0u);
  EXPECT_EQ(kept.removed_bytes, 0u);
  EXPECT_EQ(kept.left.NotTrashedCount(), 2u);
  EXPECT_EQ(no_trash.Sorted(), (std::vector<std::string>{home_ + "/cache/entry", home_ + "/cache/sub/deep/index"}));
  fs::remove(trash);
  const CacheFolderResult trashed = EmptyCacheFolder(Cache(), true, nullptr);
  EXPECT_EQ(trashed.removed_files, 2u);
  EXPECT_EQ(test::ReadFile(trash + "/files/entry"), "12345");
  EXPECT_EQ(test::ReadFile(trash + "/files/index"), "1234567");
  EXPECT_FALSE(PathExists(home_ + "/cache/sub/deep/index"));
}

// A folder of many files is shared between two threads: every file and byte
// is counted once, and a stop ends both.
TEST_F(CacheSetCleaningTest, AFolderOfManyFilesIsCountedWholeAndStopsWhereAsked) {
  constexpr int kMany = 400;
  const auto fill = [&] {
    std::uint64_t bytes = 0;
    fs::create_directories(home_ + "/cache/many");
    for (int i = 0; i < kMany; ++i) {
      WriteFile(home_ + "/cache/many/f" + std::to_string(i), std::string(static_cast<std::size_t>(i % 37 + 1), 'x'));
      bytes += static_cast<std::uint64_t>(i % 37 + 1);
    }
    return bytes;
  };
  const auto files_left = [&] {
    return std::distance(fs::directory_iterator(home_ + "/cache/many"), fs::directory_iterator{});
  };
  const std::uint64_t bytes = fill() + 5 + 3 + fs::read_symlink(home_ + "/cache/to-file").string().size();
  fs::remove_all(home_ + "/cache/sub");
  CountingWatcher whole;
  const CacheFolderResult done = EmptyCacheFolder(Cache(), false, &whole);
  EXPECT_EQ(done.outcome, CacheFolderOutcome::kDone);
  EXPECT_EQ(files_left(), 0);
  EXPECT_EQ(done.removed_files, kMany + 3u);  // with entry, .hidden and to-file
  EXPECT_EQ(done.removed_bytes, bytes);
  EXPECT_EQ(done.tried_bytes, bytes);
  EXPECT_EQ(whole.files, done.removed_files);
  EXPECT_EQ(whole.bytes, bytes);

  fill();
  CountingWatcher stopping(100);
  const CacheFolderResult stopped = EmptyCacheFolder(Cache(), false, &stopping);
  EXPECT_EQ(stopped.outcome, CacheFolderOutcome::kStopped);
  EXPECT_GT(files_left(), 0);
  EXPECT_EQ(stopped.removed_files, static_cast<std::uint64_t>(kMany - files_left()));
  EXPECT_EQ(stopping.files, stopped.removed_files);
}

TEST_F(CacheSetCleaningTest, NothingGoesFromAFolderNoLongerWhereItWasFoundNorFromARunningBrowsersSet) {
  const CacheSet running{"Chromium", "Default", {Cache()}, 3, 15, true, {}};
  const std::vector<CacheFolderResult> results = EmptyCacheSet(running, false, nullptr);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, CacheFolderOutcome::kRunning);
  EXPECT_TRUE(PathExists(home_ + "/cache/entry"));

  // The cache folder's path now leads through a link to another folder.
  fs::rename(home_ + "/cache", home_ + "/elsewhere");
  fs::create_directory_symlink(home_ + "/elsewhere", home_ + "/cache");
  for (const bool recycle : {false, true}) {
    EXPECT_EQ(EmptyCacheFolder(Cache(), recycle, nullptr).outcome, CacheFolderOutcome::kMoved);
  }
  EXPECT_TRUE(PathExists(home_ + "/elsewhere/entry"));
  // Should the link come after that look, the folder is still never opened through it.
  fs::create_directory_symlink(home_, home_ + "/via");
  for (const char* linked : {"/cache", "/via/elsewhere"}) {
    EXPECT_FALSE(platform::FolderEntries::OpenHost(home_ + linked)) << linked;
  }
  EXPECT_TRUE(platform::FolderEntries::OpenHost(home_ + "/elsewhere"));

  fs::remove(home_ + "/cache");
  EXPECT_EQ(EmptyCacheFolder(Cache(), false, nullptr).outcome, CacheFolderOutcome::kGone);

  // The folder is moved away, and another put in its place, while its files
  // go: the run says so, and the rest stay where the folder went.
  for (const bool recycle : {false, true}) {
    SCOPED_TRACE(recycle ? "into the trash" : "for good");
    fs::create_directories(home_ + "/cache");
    for (int i = 0; i < 200; ++i) WriteFile(home_ + "/cache/f" + std::to_string(i), "f");
    const std::string away = home_ + (recycle ? "/away-trash" : "/away");
    CountingWatcher swapping;
    swapping.after_first = [&] {
      fs::rename(home_ + "/cache", away);
      fs::create_directory(home_ + "/cache");
    };
    const CacheFolderResult swapped = EmptyCacheFolder(Cache(), recycle, &swapping);
    EXPECT_EQ(swapped.outcome, CacheFolderOutcome::kSwapped);
    EXPECT_GT(std::distance(fs::directory_iterator(away), fs::directory_iterator{}), 0);
    fs::remove_all(home_ + "/cache");
  }
}

}  // namespace
}  // namespace vorlix
