// SPDX-License-Identifier: MIT

#include "actions/delete_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "cleaning/run_record.h"
#include "platform/xdg.h"
#include "tests/actions/actions_fixture.h"
#include "tests/actions/fake_main_view.h"
#include "tests/cleaning/swap_round.h"
#include "tests/common/child_process.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::PathExists;
using test::ReadFile;
using test::WriteFile;

bool Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

class FolderCleaningTest : public test::CleaningTest {
 protected:
  // Views a folder of drive d and cleans it without a question.
  void CleanQuietly(const std::string& dos_folder, bool recycle) {
    view_.SetTreeDirectory(dos_folder);
    view_.recycle = recycle;
    state_.confirm = false;
    DeleteCache(state_, view_, FileListing(view_));
  }

  // Cleans what the list shows without a question.
  void CleanListed(bool recycle) {
    view_.recycle = recycle;
    state_.confirm = false;
    DeleteCache(state_, view_, FileListing(view_));
  }

  ProgramState state_;
  test::FakeMainView view_;
};

TEST_F(FolderCleaningTest, DeletesOnlyTheListedFilesOfTheViewedFolder) {
  const std::vector<std::string> listed = {"plain.tmp", "with blank.tmp", "many.dots.in.name.", "caf\xc3\xa9.tmp",
                                           "odd \x01\x7f\xff bytes", "back\\slash"};
  for (const std::string& name : listed) WriteFile(root_ + "/" + name, "cached");
  std::filesystem::create_directories(root_ + "/back");
  WriteFile(root_ + "/back/slash", "a subfolder's file");
  WriteFile(root_ + "/.hidden", "hidden");
  std::filesystem::create_directories(root_ + "/sub/deeper");
  WriteFile(root_ + "/sub/inner.tmp", "inner");
  const std::string outside = test::MakeTempDir("outside");
  WriteFile(outside + "/target.tmp", "target");
  std::filesystem::create_symlink(outside + "/target.tmp", root_ + "/link.tmp");
  std::filesystem::create_directory_symlink(outside, root_ + "/folder-link");
  ASSERT_EQ(mkfifo((root_ + "/pipe.tmp").c_str(), 0644), 0);  // a special file is never listed

  view_.SetTreeDirectory("D:\\");
  WriteFile(root_ + "/late.tmp", "written after the list was read");
  // Names a list never holds must not reach anything either.
  view_.items.insert(view_.items.end(), {"..", ".", "", "sub/inner.tmp", ".hidden", "sub"});
  state_.confirm = false;
  DeleteCache(state_, view_, FileListing(view_));

  for (const std::string& name : listed) EXPECT_FALSE(PathExists(root_ + "/" + name)) << name;
  EXPECT_FALSE(PathExists(root_ + "/link.tmp"));
  EXPECT_EQ(ReadFile(outside + "/target.tmp"), "target");
  EXPECT_TRUE(PathExists(root_ + "/folder-link"));  // a link to a folder is listed as a folder
  EXPECT_EQ(ReadFile(root_ + "/back/slash"), "a subfolder's file");
  EXPECT_EQ(ReadFile(root_ + "/sub/inner.tmp"), "inner");
  EXPECT_TRUE(PathExists(root_ + "/sub/deeper"));
  EXPECT_EQ(ReadFile(root_ + "/.hidden"), "hidden");
  EXPECT_EQ(ReadFile(root_ + "/late.tmp"), "written after the list was read");
  EXPECT_TRUE(PathExists(root_ + "/pipe.tmp"));

  EXPECT_TRUE(view_.items.empty());
  EXPECT_EQ(view_.busy_changes, (std::vector<bool>{true, false}));
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_TRUE(view_.information.empty());
  EXPECT_TRUE(state_.confirm);

  // A folder's name never sends the folder to the trash either.
  view_.items = {"sub"};
  CleanListed(true);
  EXPECT_EQ(ReadFile(root_ + "/sub/inner.tmp"), "inner");
}

// Writes `count` files into a new folder.
void FillFolder(const std::string& folder, int count) {
  std::filesystem::create_directories(folder);
  for (int i = 0; i < count; ++i) WriteFile(folder + "/entry" + std::to_string(i), "x");
}

int CountEntries(const std::string& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST_F(FolderCleaningTest, OnlyTheFolderThatWasListedIsCleaned) {
  auto changed_text = [](const std::string& folder) {
    return "The following directory has changed since its files were listed:\n\r" + folder +
           "\n\rNothing has been deleted.";
  };
  const std::string changed = changed_text("D:\\Cache");
  for (const bool recycle : {false, true}) {
    SCOPED_TRACE(recycle ? "into the trash" : "for good");
    // The listed folder is gone and nothing takes its place.
    FillFolder(root_ + "/Gone", 5);
    view_.SetTreeDirectory("D:\\Gone");
    std::filesystem::remove_all(root_ + "/Gone");
    view_.information.clear();
    CleanListed(recycle);
    EXPECT_EQ(view_.information, std::vector<std::string>{changed_text("D:\\Gone")});

    // The listed folder is gone: its case twin, never viewed, keeps every file.
    FillFolder(root_ + "/Cache", 5);
    FillFolder(root_ + "/cache", 5);
    view_.SetTreeDirectory("D:\\Cache");
    std::filesystem::remove_all(root_ + "/Cache");
    view_.information.clear();
    CleanListed(recycle);
    EXPECT_EQ(CountEntries(root_ + "/cache"), 5);
    EXPECT_EQ(view_.information, std::vector<std::string>{changed});

    // Another folder took its name, holding the same names: it keeps them.
    std::filesystem::remove_all(root_ + "/cache");
    FillFolder(root_ + "/Cache", 5);
    view_.SetTreeDirectory("D:\\Cache");
    std::filesystem::rename(root_ + "/Cache", root_ + "/listed");
    FillFolder(root_ + "/Cache", 5);
    view_.information.clear();
    CleanListed(recycle);
    EXPECT_EQ(CountEntries(root_ + "/Cache"), 5);
    EXPECT_EQ(CountEntries(root_ + "/listed"), 5);
    EXPECT_EQ(view_.information, std::vector<std::string>{changed});
    std::filesystem::remove_all(root_ + "/Cache");
    std::filesystem::remove_all(root_ + "/listed");
  }
}

TEST_F(FolderCleaningTest, TheFilesOfTheFolderTheQuestionNamedAreDeletedWhateverTheViewDoes) {
  FillFolder(root_ + "/two", 3);
  FillFolder(root_ + "/one", 3);
  view_.SetTreeDirectory("D:\\two");
  view_.while_asking = [this] { view_.SetTreeDirectory("D:\\one"); };
  state_.confirm = true;
  DeleteCache(state_, view_, FileListing(view_));
  ASSERT_EQ(view_.questions.size(), 1u);
  EXPECT_NE(view_.questions[0].find("D:\\two"), std::string::npos);
  EXPECT_EQ(CountEntries(root_ + "/two"), 0);
  EXPECT_EQ(CountEntries(root_ + "/one"), 3);
  EXPECT_EQ(view_.items.size(), 3u);  // the list now shows a folder that was not cleaned
}

TEST_F(FolderCleaningTest, AFolderSwappedMidRunStopsTheRunAndTheOtherFolderKeepsItsFiles) {
  for (const bool recycle : {true, false}) {
    SCOPED_TRACE(recycle ? "into the trash" : "for good");
    const test::SwapRound round = test::RunSwapRound(recycle, 300, test::SwapTiming::kAfterFirstFile);
    EXPECT_TRUE(round.held);
    EXPECT_TRUE(round.stopped);
    // A trash record names the file's path, so a trash run stops at the next file.
    if (recycle) {
      EXPECT_EQ(round.left, 299);
    }
  }
}

TEST_F(FolderCleaningTest, ReadOnlyFilesGoAndMissingOrRefusingOnesAreSkipped) {
  WriteFile(root_ + "/a-read-only.tmp", "x");
  chmod((root_ + "/a-read-only.tmp").c_str(), 0444);
  WriteFile(root_ + "/b-vanishes.tmp", "x");
  WriteFile(root_ + "/c-last.tmp", "x");
  view_.SetTreeDirectory("D:\\");
  std::filesystem::remove(root_ + "/b-vanishes.tmp");
  state_.confirm = false;
  DeleteCache(state_, view_, FileListing(view_));
  EXPECT_FALSE(PathExists(root_ + "/a-read-only.tmp"));
  EXPECT_FALSE(PathExists(root_ + "/c-last.tmp"));

  // A folder whose entries cannot be removed: every file stays, and a
  // read-only one stays read-only.
  const std::string locked = root_ + "/locked";
  std::filesystem::create_directory(locked);
  WriteFile(locked + "/protected.tmp", "x");
  chmod((locked + "/protected.tmp").c_str(), 0444);
  WriteFile(locked + "/plain.tmp", "x");
  if (!Shell("chattr +i '" + locked + "'")) GTEST_SKIP() << "chattr cannot make a folder immutable here";
  CleanQuietly("D:\\locked", false);
  CleanQuietly("D:\\locked", true);
  Shell("chattr -i '" + locked + "'");
  EXPECT_TRUE(PathExists(locked + "/plain.tmp"));
  struct stat st {};
  ASSERT_EQ(stat((locked + "/protected.tmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(FolderCleaningTest, TrashedFilesCanBeListedAndRestored) {
  if (!Shell("command -v trash-list && command -v trash-restore")) GTEST_SKIP() << "trash-cli is not installed";
  const std::string name = "entry \xc3\xa9 100%.tmp";
  WriteFile(root_ + "/" + name, "cached");
  WriteFile(root_ + "/second.tmp", "second");
  const std::string outside = test::MakeTempDir("outside");
  WriteFile(outside + "/target.tmp", "target");
  std::filesystem::create_symlink(outside + "/target.tmp", root_ + "/link.tmp");
  CleanQuietly("D:\\", true);

  EXPECT_FALSE(PathExists(root_ + "/" + name));
  EXPECT_FALSE(PathExists(root_ + "/link.tmp"));
  EXPECT_EQ(ReadFile(outside + "/target.tmp"), "target");
  const std::string trash = platform::DataHome() + "/Trash";
  EXPECT_EQ(ReadFile(trash + "/files/" + name), "cached");
  EXPECT_TRUE(std::filesystem::is_symlink(trash + "/files/link.tmp"));
  const std::string info = ReadFile(trash + "/info/" + name + ".trashinfo");
  EXPECT_NE(info.find("Path=" + root_ + "/entry%20%C3%A9%20100%25.tmp"), std::string::npos) << info;

  EXPECT_TRUE(Shell("trash-list | grep -qF '" + root_ + "/" + name + "'"));
  EXPECT_TRUE(Shell("trash-list | grep -qF '" + root_ + "/second.tmp'"));
  Shell("echo 0 | trash-restore '" + root_ + "/second.tmp' >/dev/null");
  EXPECT_EQ(ReadFile(root_ + "/second.tmp"), "second");

  // The run's own record puts back the rest, the link as the link.
  const std::vector<RecordedRun> runs = ListRecordedRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].in_trash, 2u);
  ASSERT_TRUE(RestoreRun(runs[0].id, false));
  EXPECT_EQ(ReadFile(root_ + "/" + name), "cached");
  EXPECT_EQ(std::filesystem::read_symlink(root_ + "/link.tmp"), outside + "/target.tmp");
  EXPECT_FALSE(PathExists(trash + "/info/" + name + ".trashinfo"));
  EXPECT_TRUE(ListRecordedRuns().empty());
}

TEST_F(FolderCleaningTest, FilesThatCannotBeTrashedOrDeletedStayWhereTheyAre) {
  const std::string mount_point = test::MakeTempDir("other-fs");
  if (!Shell("mount -t tmpfs -o size=1m tmpfs '" + mount_point + "'")) {
    GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  }
  // Another file system whose trash folder cannot be made.
  WriteFile(mount_point + "/.Trash-" + std::to_string(getuid()), "not a folder");
  WriteFile(mount_point + "/kept.tmp", "kept");
  test::MapDrive('e', mount_point);
  CleanQuietly("E:\\", true);
  EXPECT_EQ(ReadFile(mount_point + "/kept.tmp"), "kept");
  EXPECT_TRUE(view_.items.empty());

  // The same file system mounted read-only: neither way removes anything.
  const bool read_only = Shell("mount -o remount,ro '" + mount_point + "'");
  if (read_only) {
    CleanQuietly("E:\\", true);
    CleanQuietly("E:\\", false);
  }
  const std::string left = ReadFile(mount_point + "/kept.tmp");
  view_.SetTreeDirectory("D:\\");
  Shell("umount '" + mount_point + "'");
  EXPECT_TRUE(read_only);
  EXPECT_EQ(left, "kept");
}

TEST_F(FolderCleaningTest, FilesOnAFileSystemWithoutTrashStayAndTheStatusBarSaysSoAfterTheReport) {
  const std::string folder = MapNoTrashDrive();
  if (folder.empty()) GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  WriteFile(folder + "/only.tmp", "kept");
  view_.SetTreeDirectory("E:\\");
  view_.recycle = true;
  view_.status_texts.clear();
  state_.confirm = true;
  DeleteCache(state_, view_, FileListing(view_));
  EXPECT_EQ(ReadFile(folder + "/only.tmp"), "kept");
  EXPECT_EQ(view_.information.size(), 1u);
  EXPECT_EQ(view_.status_texts,
            std::vector<std::string>{"1 file was not moved to the trash: its file system has no trash"});

  // Deleting for good is not held back by the missing trash.
  view_.SetTreeDirectory("E:\\");
  view_.recycle = false;
  view_.status_texts.clear();
  DeleteCache(state_, view_, FileListing(view_));
  EXPECT_FALSE(PathExists(folder + "/only.tmp"));
  EXPECT_TRUE(view_.status_texts.empty());

  // A trash folder that is there but cannot be used is named as such, with the system's reason.
  const std::string trash = platform::DataHome() + "/Trash";
  std::filesystem::remove_all(trash);
  WriteFile(trash, "not a folder");
  WriteFile(root_ + "/kept.tmp", "kept");
  view_.SetTreeDirectory("D:\\");
  view_.recycle = true;
  view_.status_texts.clear();
  DeleteCache(state_, view_, FileListing(view_));
  std::filesystem::remove(trash);  // the home trash serves the later tests
  EXPECT_EQ(ReadFile(root_ + "/kept.tmp"), "kept");
  EXPECT_EQ(view_.status_texts, std::vector<std::string>{"1 file was not moved to the trash: the trash folder " +
                                                         trash + " cannot be used: Not a directory"});
}

TEST_F(FolderCleaningTest, AsksForTheViewedFolderAndReportsTheBytesRegained) {
  REQUIRE_PRIVATE_TMPFS();
  std::filesystem::create_directories(mount_ + "/cache");
  for (int i = 0; i < 10; ++i) WriteFile(mount_ + "/cache/entry" + std::to_string(i), "x");
  view_.SetTreeDirectory("C:\\cache");
  state_.confirm = true;
  // Meanwhile another program writes to the same disk, and keeps one file's
  // data by a second link: neither counts, only what the deletions gave back.
  view_.while_asking = [this] {
    WriteFile(mount_ + "/other-program", std::string(1 << 20, 'o'));
    std::filesystem::create_hard_link(mount_ + "/cache/entry9", mount_ + "/kept-link");
  };
  DeleteCache(state_, view_, FileListing(view_));

  EXPECT_EQ(view_.questions, (std::vector<std::string>{
                                 "You are about to DELETE all of the files in the following directory:\n\r"
                                 "C:\\cache\n\rIs this what you want to do? "}));
  ASSERT_EQ(view_.information.size(), 1u);
  EXPECT_EQ(view_.information[0],
            "The selected Cache folder has been cleaned up.\n\r"
            "The Windows File Explorer still holds the file\n\r"
            "pointers in a special data file. See the help\n\r"
            "for instructions on how to clear that from the\n\r"
            "explorer view.\n\r\n\r"
            "You have regained 36,864 bytes.");
  EXPECT_TRUE(view_.items.empty());
  EXPECT_TRUE(state_.confirm);
}

TEST_F(FolderCleaningTest, NoDeletesNothingAndAnEmptyOrRecycledCacheIsReportedEmpty) {
  REQUIRE_PRIVATE_TMPFS();
  std::filesystem::create_directories(mount_ + "/cache");
  WriteFile(mount_ + "/cache/entry", "x");
  view_.SetTreeDirectory("C:\\cache");
  view_.answer = false;
  state_.confirm = true;
  DeleteCache(state_, view_, FileListing(view_));
  EXPECT_EQ(view_.questions.size(), 1u);
  EXPECT_TRUE(view_.information.empty());
  EXPECT_TRUE(view_.busy_changes.empty());
  EXPECT_EQ(view_.items, (std::vector<std::string>{"entry"}));
  EXPECT_TRUE(PathExists(mount_ + "/cache/entry"));
  EXPECT_TRUE(state_.confirm);

  // The next click asks again. A tmpfs has no trash: the file stays rather
  // than being deleted for good, and nothing is regained.
  view_.answer = true;
  view_.recycle = true;
  DeleteCache(state_, view_, FileListing(view_));
  EXPECT_EQ(view_.questions.size(), 2u);
  EXPECT_TRUE(PathExists(mount_ + "/cache/entry"));
  // An empty list deletes nothing.
  DeleteCache(state_, view_, FileListing(view_));
  const std::string empty =
      "Your cache must have been empty as the\n\rspace after cleaning is the same as\n\r"
      "before cleaning or you used the\n\rrecycle bin for your deletions.";
  EXPECT_EQ(view_.information, (std::vector<std::string>{empty, empty}));
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

// After a run the status bar says why files stayed, counted by reason: here
// the folder refuses changes, and both files are named with the system's reason.
TEST(DeleteCacheReasonTest, TheStatusBarCountsTheFilesThatStayedByTheirReason) {
  test::WherePermissionsBind([](const std::string& folder) {
    const test::OwnDriveLinks links(folder + "/config");
    const std::string locked = folder + "/locked";
    std::filesystem::create_directories(locked);
    WriteFile(locked + "/a", "x");
    WriteFile(locked + "/b", "x");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    test::MapDrive('d', locked);
    test::FreshDriveState();
    ProgramState state;
    state.confirm = true;
    test::FakeMainView view;
    view.SetTreeDirectory("D:\\");
    DeleteCache(state, view, FileListing(view));
    chmod(locked.c_str(), 0755);
    EXPECT_TRUE(PathExists(locked + "/a"));
    ASSERT_FALSE(view.status_texts.empty());
    EXPECT_EQ(view.status_texts.back(), "2 files could not be removed: permission denied");
  });
}

}  // namespace
}  // namespace vorlix
