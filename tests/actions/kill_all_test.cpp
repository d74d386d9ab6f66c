// SPDX-License-Identifier: MIT

#include "actions/kill_all.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "actions/delete_method.h"
#include "actions/kill_all_selection.h"
#include "cleaning/let_go_setting.h"
#include "cleaning/run_record.h"
#include "cleaning/run_record_text.h"
#include "cleaning/unattended_folder.h"
#include "platform/drive_paths.h"
#include "platform/file_system.h"
#include "platform/trashed_entry.h"
#include "platform/xdg.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/in_out_error.h"
#include "tests/actions/actions_fixture.h"
#include "tests/actions/fake_main_view.h"
#include "tests/common/child_process.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::PathExists;
using test::WriteFile;

constexpr const char* kCacheRoot = "\\windows\\Temporary Internet Files\\";
const std::string kEmptyReport =
    "Your cache must have been empty as the\n\rspace after cleaning is the same as\n\r"
    "before cleaning or you used the\n\rrecycle bin for your deletions.";

class KillAllTest : public test::CleaningTest {
 protected:
  void SetUp() override {
    CleaningTest::SetUp();
    test::MapDrive('c', root_);
    test::FreshDriveState();
    c_ = root_;
    BindSettingsStore(reg_file1_, "TForm1", "RegFile1");
    BindSettingsStore(reg_file2_, "TForm1", "RegFile2");
    BindSettingsStore(dialog_reg_file_, "TForm5", "RegFile1");
  }

  // A folder of drive c holding one file; returns that file's host path.
  std::string FolderWithFile(const std::string& dos_folder) {
    std::string host = c_ + dos_folder;
    for (char& c : host) c = c == '\\' ? '/' : c;
    std::filesystem::create_directories(host);
    WriteFile(host + "/entry", "x");
    return host + "/entry";
  }

  void Select(std::initializer_list<std::size_t> items) {
    std::array<bool, kKillAllItemCount> checked{};
    for (std::size_t item : items) checked[item] = true;
    StoreKillAllSelection(checked, state_, dialog_reg_file_);
  }

  // Moves drive c onto a tmpfs of its own, so the run's report is exact.
  bool MeasureOnTmpfs() {
    if (!MeasureOnlyPrivateTmpfs()) return false;
    c_ = mount_;
    return true;
  }

  void Run() { KillAll(state_, view_, reg_file1_, reg_file2_); }

  std::string c_;  // drive c's folder
  TRegFile reg_file1_, reg_file2_, dialog_reg_file_;
  ProgramState state_;
  test::FakeMainView view_;
};

TEST_F(KillAllTest, CleansTheSelectedSlotsInOrderEachWithItsOwnRecycleChoice) {
  std::vector<std::string> files;
  for (const char* cache : {"cache1", "cache2", "cache3", "cache4", "cache5", "cache6", "cache7"}) {
    files.push_back(FolderWithFile(kCacheRoot + std::string(cache)));
  }
  const std::string unset_user_file = FolderWithFile("\\windows\\temp");
  files.push_back(FolderWithFile("\\user2"));
  files.push_back(FolderWithFile("\\user5"));
  files.push_back(FolderWithFile("\\history"));
  // U2 saved on drive c; U5 with a drive value emptied by hand; the rest unset.
  reg_file1_.WriteValue("User Button 2 Default Drive", "c");
  reg_file1_.WriteValue("User Button 2 Default Folder", "C:\\user2");
  view_.hints[9] = "C:\\user2";
  reg_file1_.WriteValue("User Button 5 Default Drive", "");
  reg_file1_.WriteValue("User Button 5 Default Folder", "\\user5");
  view_.hints[12] = "\\user5";
  view_.hints[2] = kUnsetText;  // an IE button is cleaned whatever its hint says
  state_.history_folder = "C:\\history";
  state_.use_recycle = {true, false, true, false, false, true, true, false, false, true, false, false, true, false};
  Select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  Run();

  const std::string cache = "C:\\windows\\Temporary Internet Files\\cache";
  EXPECT_EQ(view_.cleaned_folders,
            (std::vector<std::string>{cache + "1", cache + "2", cache + "3", cache + "4", cache + "5", cache + "6",
                                      cache + "7", cache + "4", "C:\\user2", "C:\\user5", "C:\\history"}));
  const std::string shown = "\\windows\\Temporary Internet Files\\cache";
  EXPECT_EQ(view_.status_texts,
            (std::vector<std::string>{shown + "1", shown + "2", shown + "3", shown + "4", shown + "5", shown + "6",
                                      shown + "7", shown + "4", "C:\\user2", "\\user5", "C:\\history"}));
  EXPECT_EQ(view_.recycle_changes,
            (std::vector<bool>{true, false, true, false, false, true, true, false, true, true}));
  EXPECT_TRUE(view_.recycle);  // the history folder went with U5's choice
  for (const std::string& file : files) EXPECT_FALSE(PathExists(file)) << file;
  EXPECT_TRUE(PathExists(unset_user_file));
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_EQ(view_.information.size(), 1u);
  EXPECT_TRUE(state_.confirm);
}

TEST_F(KillAllTest, ARunIntoTheTrashIsOneRecordAndFirstLetsGoOfOldTrashedFilesAsSet) {
  // A file an earlier run moved into the trash three days ago, as its record shows.
  const std::string trash = platform::DataHome() + "/Trash";
  std::filesystem::create_directories(trash + "/files");
  std::filesystem::create_directories(trash + "/info");
  std::filesystem::create_directories(platform::VorlixConfigDir() + "/runs");
  const std::time_t then = std::time(nullptr) - 3 * 86400;
  std::tm local{};
  char when[32];
  std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", localtime_r(&then, &local));
  const std::string info = "[Trash Info]\nPath=" + c_ + "/old.tmp\nDeletionDate=" + when + "\n";
  WriteFile(trash + "/files/old.tmp", "old");
  WriteFile(trash + "/info/old.tmp.trashinfo", info);
  const platform::TrashedAs moved{trash, "old.tmp", c_ + "/old.tmp", platform::HostIdentityOf(c_),
                                  platform::TrashLook(trash).Entry("old.tmp")->mark};
  RunRecordWriter writer;
  WriteFile(platform::VorlixConfigDir() + "/runs/00000000000000000001.run",
            RunRecordWriter::Header(then - 1) + writer.Lines(moved));
  WriteLetGoDays(reg_file1_, 2);

  const std::string first = FolderWithFile(kCacheRoot + std::string("cache1"));
  const std::string second = FolderWithFile(kCacheRoot + std::string("cache2"));
  state_.use_recycle[0] = state_.use_recycle[1] = true;
  Select({0, 1});
  Run();
  ASSERT_FALSE(PathExists(second));
  EXPECT_FALSE(PathExists(trash + "/files/old.tmp"));
  const std::vector<RecordedRun> runs = ListRecordedRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].folders, (std::vector<std::string>{first.substr(0, first.rfind('/')),
                                                       second.substr(0, second.rfind('/'))}));
  EXPECT_EQ(runs[0].in_trash, 2u);
}

TEST_F(KillAllTest, CancelAndUnselectedItemsLeaveEverythingAlone) {
  const std::string file = FolderWithFile(kCacheRoot + std::string("cache1"));
  Select({0});
  view_.dialog_result = false;
  Run();
  EXPECT_EQ(view_.dialogs_shown, 1);
  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(view_.information.empty());
  EXPECT_FALSE(state_.confirm);

  // Ticked once, unticked in a later OK: not cleaned.
  Select({});
  view_.dialog_result = true;
  Run();
  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(view_.cleaned_folders.empty());
  EXPECT_EQ(view_.information.size(), 1u);
}

TEST_F(KillAllTest, AFolderThatCannotBeEnteredEndsTheRunAndConfirmationIsBack) {
  const std::string second = FolderWithFile(kCacheRoot + std::string("cache2"));
  reg_file1_.WriteValue("IE Button 1 Default Folder", "C:\\gone");
  reg_file2_.WriteValue("TypedURLs\\url1", "http://example.org/");
  state_.history_folder = "C:\\windows\\Temporary Internet Files\\cache2";
  Select({0, 1, kKillAllTypedUrlsItem, kKillAllHistoryItem});
  state_.confirm = true;
  EXPECT_THROW(Run(), EInOutError);
  EXPECT_TRUE(state_.confirm);
  EXPECT_TRUE(PathExists(second));
  EXPECT_TRUE(reg_file2_.KeyExists("TypedURLs"));
  EXPECT_TRUE(view_.information.empty());
}

TEST_F(KillAllTest, AVanishedFolderIsMissingNotItsTwinAndTheHomeFolderIsNeverCleaned) {
  const std::string above_folded = FolderWithFile("\\w\\Kept\\sub");
  const std::string twin = FolderWithFile("\\w\\cache");
  reg_file1_.WriteValue("User Button 1 Default Folder", "C:\\W\\kept\\sub");  // folders above may fold
  reg_file1_.WriteValue("User Button 2 Default Folder", "C:\\w\\Cache");       // gone: only "cache" is there
  view_.hints[8] = view_.hints[9] = "set up";
  Select({8, 9});
  EXPECT_THROW(Run(), EInOutError);
  EXPECT_FALSE(PathExists(above_folded));
  EXPECT_TRUE(PathExists(twin));

  // A link to the home folder leads to the home folder itself.
  const std::string home = getenv("HOME");
  WriteFile(home + "/document", "d");
  std::filesystem::create_directory_symlink(home, c_ + "/home-link");
  reg_file1_.WriteValue("User Button 1 Default Folder", "C:\\home-link");
  Select({8});
  state_.confirm = true;
  EXPECT_THROW(Run(), EProtectedFolder);
  EXPECT_TRUE(PathExists(home + "/document"));
  EXPECT_TRUE(state_.confirm);
}

TEST_F(KillAllTest, AnEmptyFolderTextNamesNoFolderSoTheViewedFolderIsLeftAlone) {
  const std::string viewed = FolderWithFile("\\viewed");
  view_.SetTreeDirectory("C:\\viewed");
  reg_file1_.WriteValue("IE Button 2 Default Folder", "");
  state_.history_folder.clear();
  Select({1, kKillAllHistoryItem});
  Run();
  EXPECT_TRUE(PathExists(viewed));
  EXPECT_TRUE(view_.cleaned_folders.empty());
  EXPECT_EQ(view_.information.size(), 1u);
}

TEST_F(KillAllTest, ReportsTheBytesRegainedOverTheWholeRunOnce) {
  if (!MeasureOnTmpfs()) GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  FolderWithFile(kCacheRoot + std::string("cache1"));
  FolderWithFile(kCacheRoot + std::string("cache3"));
  FolderWithFile("\\history");
  state_.history_folder = "C:\\history";
  Select({0, 2, kKillAllHistoryItem});
  Run();
  ASSERT_EQ(view_.information.size(), 1u);
  EXPECT_TRUE(view_.information[0].starts_with("All selected Cache folders have been cleaned up.\n\r"));
  EXPECT_TRUE(view_.information[0].ends_with("\n\r\n\rYou have regained 12,288 bytes.")) << view_.information[0];

  // Recycled everywhere (a tmpfs has no trash, so the file stays): nothing regained.
  FolderWithFile(kCacheRoot + std::string("cache1"));
  state_.use_recycle[0] = true;
  Select({0});
  Run();
  EXPECT_EQ(view_.information.back(), kEmptyReport);
}

TEST_F(KillAllTest, OneSentenceAfterTheReportCountsTheFilesOfEveryFolderThatHasNoTrash) {
  const std::string no_trash = MapNoTrashDrive();
  if (no_trash.empty()) GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  for (const char* name : {"/one/a", "/one/b", "/two/c"}) {
    std::filesystem::create_directories(std::filesystem::path(no_trash + name).parent_path());
    WriteFile(no_trash + name, "kept");
  }
  const std::string trashed = FolderWithFile(kCacheRoot + std::string("cache2"));  // this one has a trash
  reg_file1_.WriteValue("IE Button 1 Default Drive", "e");
  reg_file1_.WriteValue("IE Button 1 Default Folder", "E:\\one");
  state_.history_folder = "E:\\two";
  state_.use_recycle[0] = state_.use_recycle[1] = true;
  Select({0, 1, kKillAllHistoryItem});
  Run();
  EXPECT_FALSE(PathExists(trashed));
  for (const char* name : {"/one/a", "/one/b", "/two/c"}) EXPECT_TRUE(PathExists(no_trash + name)) << name;
  const std::string sentence = "3 files were not moved to the trash: its file system has no trash";
  EXPECT_EQ(view_.information.size(), 1u);
  ASSERT_FALSE(view_.status_texts.empty());
  EXPECT_EQ(view_.status_texts.back(), sentence);
  EXPECT_EQ(std::count(view_.status_texts.begin(), view_.status_texts.end(), sentence), 1);
}

TEST_F(KillAllTest, OnlyTheTypedUrlItemDeletesTheKeyAndReportsNoSpace) {
  if (!MeasureOnTmpfs()) GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  reg_file2_.WriteValue("TypedURLs\\url1", "http://example.org/");
  reg_file2_.WriteValue("TypedURLs\\url2", "http://example.net/");
  Select({kKillAllTypedUrlsItem});
  Run();
  EXPECT_FALSE(reg_file2_.KeyExists("TypedURLs"));
  EXPECT_EQ(view_.information, std::vector<std::string>{kEmptyReport});
  Run();  // the key already gone
  EXPECT_EQ(view_.information.size(), 2u);
}

TEST_F(KillAllTest, TheDialogShowsStoredSelectionsAndCaptionsNamingWhatTheRunCleans) {
  dialog_reg_file_.WriteValue("Delete all U1 selected", true);
  dialog_reg_file_.WriteValue("Delete IE History List", 7);
  dialog_reg_file_.WriteValue("IE Button 6 Default Folder", "C:\\saved\\six");
  const auto boxes = ReadKillAllBoxes(dialog_reg_file_);
  std::vector<std::string> captions;
  std::vector<std::size_t> checked;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    captions.push_back(boxes[i].caption);
    if (boxes[i].checked) checked.push_back(i);
  }
  const std::string cache = "\\windows\\Temporary Internet Files\\cache";
  const std::string user = "\\windows\\temp";
  EXPECT_EQ(captions, (std::vector<std::string>{cache + "1", cache + "2", cache + "3", cache + "4", cache + "5",
                                                "C:\\saved\\six", cache + "7", cache + "4", user, user, user, user,
                                                user, user, "Delete Internet Explorer typed URL list",
                                                "Internet Explorer History folder"}));
  EXPECT_EQ(checked, (std::vector<std::size_t>{8, 15}));
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

// The window's Kill All and vorlix-clean's run --kill-all, over one store and
// the same folders, remove the same files: ticked slots that are set up and
// name a folder, and the history folder; never an unticked slot, an unset
// user slot or a slot whose folder text is empty.
TEST_F(KillAllTest, TheWindowAndTheCommandLineToolRemoveTheSameFiles) {
  const std::vector<std::string> files = {
      FolderWithFile(kCacheRoot + std::string("cache1")), FolderWithFile(kCacheRoot + std::string("cache2")),
      FolderWithFile(kCacheRoot + std::string("cache3")), FolderWithFile("\\user1"),
      FolderWithFile("\\windows\\temp"),              FolderWithFile("\\history")};
  reg_file1_.WriteValue("User Button 1 Default Folder", "C:\\user1");
  reg_file1_.WriteValue("User Button 1 Hint", "C:\\user1");
  reg_file1_.WriteValue("User Button 2 Default Folder", "");
  reg_file1_.WriteValue("User Button 2 Hint", "C:\\user2");
  reg_file1_.WriteValue("User Button 3 Default Folder", "C:\\windows\\temp");  // U3's hint stays unset
  TRegFile reg_file6;
  BindSettingsStore(reg_file6, "TForm1", "RegFile6");
  reg_file6.WriteValue(std::string(kHistoryFolderValue), "C:\\history");
  DeleteMethodTicks methods{};
  methods[0] = methods[8] = true;
  SaveDeleteMethods(methods, state_, reg_file1_);
  Select({0, 2, 8, 9, 10, kKillAllHistoryItem});
  // As the window's activation loads them.
  state_.history_folder = "C:\\history";
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    if (kFolderSlots[i].kind == SlotKind::kUser) {
      view_.hints[i] = ReadText(reg_file1_, kFolderSlots[i].HintValue(), kUnsetText);
    }
  }
  const auto remaining = [&files] {
    std::vector<bool> there;
    for (const std::string& file : files) there.push_back(PathExists(file));
    return there;
  };

  Run();
  const std::vector<bool> after_window = remaining();
  EXPECT_EQ(after_window, (std::vector<bool>{false, true, false, false, true, false}));
  for (const std::string& file : files) WriteFile(file, "x");
  const test::ProgramRun tool = test::RunProgram({VORLIX_CLEAN_PATH, "run", "--kill-all"}, test::MakeTempDir("tool"));
  EXPECT_EQ(tool.exit_code, 0) << tool.err;
  EXPECT_EQ(remaining(), after_window) << tool.out;
}

}  // namespace
}  // namespace vorlix
