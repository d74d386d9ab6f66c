// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "cleaning/cleaning_run.h"
#include "cleaning/left_files.h"
#include "cleaning/listed_files.h"
#include "cleaning/listed_sizes.h"
#include "platform/xdg.h"
#include "tests/common/child_process.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::PathExists;
using test::WriteFile;

// Runs a callback after each entry of a run.
class AfterEachEntry : public DeleteWatcher {
 public:
  explicit AfterEachEntry(std::function<void(std::size_t)> after) : after_(std::move(after)) {}
  void EntryDone(std::size_t index, EntryResult /*result*/) override { after_(index); }
  bool StopBefore(std::size_t /*index*/) override { return false; }

 private:
  std::function<void(std::size_t)> after_;
};

using DeleteRunTest = test::DriveDTest;

// Takes each entry's size just before the run tries it, as a run with figures does.
class SizeBeforeEachEntry : public DeleteWatcher {
 public:
  explicit SizeBeforeEachEntry(const ListedSizes& sizes) : sizes_(sizes) {}
  void EntryDone(std::size_t /*index*/, EntryResult /*result*/) override {}
  bool StopBefore(std::size_t index) override {
    sized_ += sizes_.Wait(index);
    return false;
  }
  std::uint64_t sized_ = 0;

 private:
  const ListedSizes& sizes_;
};

TEST_F(DeleteRunTest, AFolderThatVanishedIsNeverReadNorCleanedThroughItsTwinInAnotherCase) {
  std::filesystem::create_directories(root_ + "/w/Cache");
  WriteFile(root_ + "/w/Cache/a", "a");
  const ListedFolder listed = ReadListedFolder("D:\\W\\Cache");  // folders above may fold
  ASSERT_EQ(listed.names.size(), 1u);
  std::filesystem::remove_all(root_ + "/w/Cache");
  std::filesystem::create_directory(root_ + "/w/cache");
  WriteFile(root_ + "/w/cache/a", "twin");
  EXPECT_TRUE(ReadListedFolder("D:\\w\\Cache").names.empty());
  EXPECT_EQ(DeleteListedFiles(listed, false), DeleteOutcome::kFolderChanged);
  EXPECT_TRUE(PathExists(root_ + "/w/cache/a"));

  // A run that asks nothing looks again at the folder it entered: the twin
  // came between its first look and the entering.
  std::filesystem::remove_all(root_ + "/w/cache");
  std::filesystem::create_directory(root_ + "/w/Cache");
  class TwinOnEntering : public RunFrontEnd {
   public:
    explicit TwinOnEntering(std::string root) : root_(std::move(root)) {}
    AfterRefusal Refused(const CleaningTarget& /*target*/, const std::string& error,
                         bool /*protected_folder*/) override {
      refused = error;
      return AfterRefusal::kGoOn;
    }
    std::string EnterFolder(const CleaningTarget& /*target*/) override {
      std::filesystem::rename(root_ + "/w/Cache", root_ + "/w/cache");
      return "D:\\w\\cache";
    }
    LeftFiles CleanFolder(const CleaningTarget& /*target*/, const std::string& entered) override {
      cleaned = entered;
      return {};
    }
    bool CleanTypedUrls() override { return true; }
    std::string refused;
    std::string cleaned;

   private:
    std::string root_;
  } front_end(root_);
  RunCleaning({{TargetKind::kFolder, "u1", 0, "D:\\w\\Cache", false, true, false}}, front_end);
  EXPECT_EQ(front_end.cleaned, "");
  EXPECT_NE(front_end.refused, "");
}

TEST_F(DeleteRunTest, SizesReadBesideARunAreTheFilesOwnAndNoneForAFolderThatIsNoLongerTheListedOne) {
  std::uint64_t expected = 0;
  for (int i = 0; i < 300; ++i) {
    const std::string name = std::to_string(10000 + i);
    WriteFile(root_ + "/" + name, std::string(static_cast<std::size_t>(1 + i % 50), 'x'));
    expected += 1 + i % 50;
  }
  const ListedFolder listed = ReadListedFolder("D:\\");
  ASSERT_EQ(listed.names.size(), 300u);
  const ListedSizes sizes(listed);
  SizeBeforeEachEntry watcher(sizes);
  EXPECT_EQ(DeleteListedFiles(listed, false, &watcher), DeleteOutcome::kDone);
  EXPECT_EQ(watcher.sized_, expected);
  EXPECT_EQ(sizes.Total(), expected);
  EXPECT_TRUE(std::filesystem::is_empty(root_));

  WriteFile(root_ + "/a", "abc");
  const ListedFolder before = ReadListedFolder("D:\\");
  std::filesystem::rename(root_, root_ + "-old");
  std::filesystem::create_directory(root_);
  WriteFile(root_ + "/a", "abcdef");
  const ListedSizes elsewhere(before);
  EXPECT_EQ(elsewhere.Wait(0), 0u);
  EXPECT_TRUE(elsewhere.Complete());
}

TEST_F(DeleteRunTest, TheTrashFoundForTheFirstFileTakesEveryFileOfTheRun) {
  for (const char* name : {"a", "b", "c"}) WriteFile(root_ + "/" + name, name);
  const ListedFolder listed = ReadListedFolder("D:\\");
  ASSERT_EQ(listed.names.size(), 3u);
  const std::string trash = platform::DataHome() + "/Trash";
  const std::string moved = trash + "-moved";
  // Once the first file is in, the trash leaves its path: a run that looked
  // for its trash again would make a new one there.
  AfterEachEntry watcher([&](std::size_t index) {
    if (index == 0) std::filesystem::rename(trash, moved);
  });
  EXPECT_EQ(DeleteListedFiles(listed, true, &watcher), DeleteOutcome::kDone);
  for (const char* name : {"a", "b", "c"}) {
    EXPECT_EQ(test::ReadFile(moved + "/files/" + name), name);
    EXPECT_TRUE(PathExists(moved + "/info/" + std::string(name) + ".trashinfo")) << name;
  }
  EXPECT_FALSE(PathExists(trash));
  std::filesystem::remove_all(moved);
}

TEST_F(DeleteRunTest, AFolderThatLeavesItsPathWhileTheLastFileGoesIsReported) {
  for (const bool recycle : {false, true}) {
    SCOPED_TRACE(recycle ? "into the trash" : "for good");
    const std::string folder = root_ + "/listed";
    std::filesystem::create_directory(folder);
    for (const char* name : {"a", "b", "c"}) WriteFile(folder + "/" + name, name);
    const ListedFolder listed = ReadListedFolder("D:\\listed");
    ASSERT_EQ(listed.names.size(), 3u);
    AfterEachEntry watcher([&](std::size_t index) {
      if (index != 2) return;
      std::filesystem::rename(folder, folder + "-old");
      std::filesystem::create_directory(folder);
    });
    EXPECT_EQ(DeleteListedFiles(listed, recycle, &watcher), DeleteOutcome::kFolderSwapped);
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(folder + "-old");
  }
}

TEST_F(DeleteRunTest, AReadOnlyFileGoesButAFolderThatRefusesChangesKeepsItsFilesAndTheirProtection) {
  test::WherePermissionsBind([](const std::string& folder) {
    const test::OwnDriveLinks drives(folder + "/config");
    const std::string box = folder + "/box";
    ASSERT_EQ(mkdir(box.c_str(), 0700), 0);
    WriteFile(box + "/plain", "x");
    WriteFile(box + "/protected", "x");
    ASSERT_EQ(chmod((box + "/protected").c_str(), 0444), 0);
    const ListedFolder listed = ReadListedFolder(test::OnC(box));
    ASSERT_EQ(listed.names.size(), 2u);

    ASSERT_EQ(chmod(box.c_str(), 0500), 0);
    for (const bool recycle : {false, true}) {
      EXPECT_EQ(DeleteListedFiles(listed, recycle), DeleteOutcome::kDone);
      struct stat plain {}, protected_file {};
      ASSERT_EQ(stat((box + "/plain").c_str(), &plain), 0) << recycle;
      ASSERT_EQ(stat((box + "/protected").c_str(), &protected_file), 0) << recycle;
      EXPECT_EQ(plain.st_mode & 07777, 0644u) << recycle;
      EXPECT_EQ(protected_file.st_mode & 07777, 0444u) << recycle;
    }

    // Still the listed folder, but closed to us: nothing goes, and it has not changed.
    ASSERT_EQ(chmod(box.c_str(), 0), 0);
    for (const bool recycle : {false, true}) EXPECT_EQ(DeleteListedFiles(listed, recycle), DeleteOutcome::kDone);
    ASSERT_EQ(chmod(box.c_str(), 0700), 0);
    EXPECT_TRUE(PathExists(box + "/plain"));

    EXPECT_EQ(DeleteListedFiles(listed, false), DeleteOutcome::kDone);
    EXPECT_FALSE(PathExists(box + "/plain"));
    EXPECT_FALSE(PathExists(box + "/protected"));
  });
}

// A file that stays is counted by the system's own reason: one that became
// a folder since it was listed says so, not "permission denied".
TEST_F(DeleteRunTest, AFileThatStaysIsCountedByTheSystemsOwnReason) {
  const std::string box = test::MakeTempDir("box");
  WriteFile(box + "/now-a-folder", "x");
  const ListedFolder listed = ReadListedFolder(test::OnC(box));
  ASSERT_EQ(listed.names.size(), 1u);
  std::filesystem::remove(box + "/now-a-folder");
  std::filesystem::create_directory(box + "/now-a-folder");
  LeftCounter counter(nullptr);
  EXPECT_EQ(DeleteListedFiles(listed, false, &counter), DeleteOutcome::kDone);
  EXPECT_EQ(counter.Left().Text(), "1 file could not be removed: is a directory");
}

}  // namespace
}  // namespace vorlix
