// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cleaning/listed_files.h"
#include "cleaning/run_record.h"
#include "platform/xdg.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::PathExists;
using test::ReadFile;
using test::WriteFile;

class RunRecordTest : public test::DriveDTest {
 protected:
  // Trashes every listed file of drive d in one recorded run.
  static void TrashDriveD() {
    const RunRecordScope record;
    ASSERT_EQ(DeleteListedFiles(ReadListedFolder("D:\\"), true), DeleteOutcome::kDone);
  }
  static std::string LastRunId() {
    const std::vector<RecordedRun> runs = ListRecordedRuns();
    return runs.empty() ? std::string() : runs.front().id;
  }
  const std::string trash_ = platform::DataHome() + "/Trash";
};

TEST_F(RunRecordTest, ARunComesBackWholeWithTimesAndModeButNeverOverAFileMadeSince) {
  constexpr int kFiles = 1000;
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = root_ + "/f" + std::to_string(i) + ".tmp";
    WriteFile(path, "content " + std::to_string(i));
    ASSERT_EQ(chmod(path.c_str(), i % 2 == 0 ? 0640 : 0600), 0);
    const timespec times[2] = {{1000000 + i, 0}, {2000000 + i, 500}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  // Names holding what the record's lines are made of, inside and at the end.
  const std::vector<std::string> odd = {root_ + "/>odd\nx\t%41.tmp", root_ + "/100%", root_ + "/tab\t"};
  for (const std::string& path : odd) WriteFile(path, "odd");
  constexpr int kOdd = 3;
  TrashDriveD();
  ASSERT_FALSE(PathExists(root_ + "/f0.tmp"));
  const std::vector<RecordedRun> runs = ListRecordedRuns();
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs.front().files, static_cast<std::size_t>(kFiles + kOdd));
  EXPECT_EQ(runs.front().in_trash, static_cast<std::size_t>(kFiles + kOdd));
  EXPECT_EQ(runs.front().folders, std::vector<std::string>{root_});

  WriteFile(root_ + "/f7.tmp", "made since");
  const auto dry = RestoreRun(runs.front().id, true);
  ASSERT_TRUE(dry);
  EXPECT_FALSE(PathExists(root_ + "/f0.tmp"));
  // The progress rises file by file to the whole count, known from the start.
  std::vector<std::pair<std::size_t, std::size_t>> told;
  const auto restored =
      RestoreRun(runs.front().id, false, [&](std::size_t done, std::size_t total) { told.emplace_back(done, total); });
  ASSERT_TRUE(restored);
  ASSERT_EQ(restored->size(), static_cast<std::size_t>(kFiles + kOdd));
  ASSERT_FALSE(told.empty());
  for (std::size_t i = 0; i < told.size(); ++i) {
    ASSERT_EQ(told[i].second, restored->size());
    if (i > 0) {
      ASSERT_GT(told[i].first, told[i - 1].first);
    }
  }
  EXPECT_EQ(told.back().first, restored->size());
  for (std::size_t i = 0; i < restored->size(); ++i) {
    const RestoredFile& file = (*restored)[i];
    const RestoreOutcome expected = file.path == root_ + "/f7.tmp" ? RestoreOutcome::kOccupied
                                                                   : RestoreOutcome::kRestored;
    EXPECT_EQ(file.outcome, expected) << file.path;
    EXPECT_EQ((*dry)[i].outcome, expected) << file.path;
  }
  for (int i = 0; i < kFiles; ++i) {
    if (i == 7) continue;
    const std::string path = root_ + "/f" + std::to_string(i) + ".tmp";
    ASSERT_EQ(ReadFile(path), "content " + std::to_string(i));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, i % 2 == 0 ? 0640u : 0600u);
    EXPECT_EQ(st.st_mtim.tv_sec, 2000000 + i);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500);
  }
  for (const std::string& path : odd) EXPECT_EQ(ReadFile(path), "odd") << path;
  EXPECT_EQ(ReadFile(root_ + "/f7.tmp"), "made since");
  EXPECT_EQ(ReadFile(trash_ + "/files/f7.tmp"), "content 7");
  EXPECT_TRUE(PathExists(trash_ + "/info/f7.tmp.trashinfo"));
  EXPECT_FALSE(PathExists(trash_ + "/info/f8.tmp.trashinfo"));
  ASSERT_FALSE(ListRecordedRuns().empty());
  EXPECT_EQ(ListRecordedRuns().front().in_trash, 1u);
}

TEST_F(RunRecordTest, LettingGoAndRestoreTakeOnlyWhatTheRunsLeftInTheTrashAndOnlyWhenOldEnough) {
  for (const char* name : {"ours.log", "shared.log", "again.log", "rewritten.log", "same.log"}) {
    WriteFile(root_ + "/" + name, name);
  }
  TrashDriveD();
  const std::string run = LastRunId();
  // Someone restores shared.log by hand, and another program trashes a file of
  // the same name from elsewhere: the trash now holds a foreign shared.log.
  const std::string elsewhere = test::MakeTempDir("elsewhere");
  ASSERT_EQ(rename((trash_ + "/files/shared.log").c_str(), (elsewhere + "/shared.log").c_str()), 0);
  WriteFile(trash_ + "/files/shared.log", "foreign");
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char when[32];
  std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", localtime_r(&now, &local));
  WriteFile(trash_ + "/info/shared.log.trashinfo",
            "[Trash Info]\nPath=" + elsewhere + "/shared.log\nDeletionDate=" + when + "\n");
  // again.log is put back and trashed again by another program within the
  // same second: a record file of its own (written before the old one goes,
  // so surely another file) with the very same text.
  const std::string again = trash_ + "/info/again.log.trashinfo";
  ASSERT_EQ(rename((trash_ + "/files/again.log").c_str(), (root_ + "/again.log").c_str()), 0);
  WriteFile(trash_ + "/info/again.new", ReadFile(again));
  ASSERT_EQ(rename((trash_ + "/info/again.new").c_str(), again.c_str()), 0);
  ASSERT_EQ(rename((root_ + "/again.log").c_str(), (trash_ + "/files/again.log").c_str()), 0);
  // rewritten.log's record is rewritten in place, naming the same path in other bytes.
  const std::string rewritten = trash_ + "/info/rewritten.log.trashinfo";
  std::string text = ReadFile(rewritten);
  text.replace(text.find("rewritten.log"), 13, "rewritten%2Elog");
  WriteFile(rewritten, text);
  // same.log's record file is written anew with the very same text, as a
  // record file that got the old one's inode would be (a moment later).
  usleep(20000);
  const std::string same = trash_ + "/info/same.log.trashinfo";
  WriteFile(same, ReadFile(same));
  // old.log was recorded before the marks were kept: nothing shows it is the run's.
  WriteFile(root_ + "/old.log", "old");
  WriteFile(platform::VorlixConfigDir() + "/runs/00000000000000000001.run",
            "vorlix-run 1 " + std::to_string(now - 60) + "\n>" + root_ + "\t" + trash_ + "\nold.log\n");
  ASSERT_EQ(rename((root_ + "/old.log").c_str(), (trash_ + "/files/old.log").c_str()), 0);
  WriteFile(trash_ + "/info/old.log.trashinfo",
            "[Trash Info]\nPath=" + root_ + "/old.log\nDeletionDate=" + when + "\n");

  const auto restorable = RestoreRun(run, true);
  ASSERT_TRUE(restorable);
  for (const RestoredFile& file : *restorable) {
    const bool ours = file.path == root_ + "/ours.log";
    EXPECT_EQ(file.outcome, ours ? RestoreOutcome::kRestored : RestoreOutcome::kNotInTrash) << file.path;
  }
  EXPECT_TRUE(LetGoOlderThan(1, false).empty());
  EXPECT_TRUE(PathExists(trash_ + "/files/ours.log"));
  std::vector<LetGoFile> gone = LetGoOlderThan(0, false);
  // Other tests of this process may have left files of their runs in the trash.
  std::erase_if(gone, [&](const LetGoFile& file) { return !file.path.starts_with(root_ + "/"); });
  std::sort(gone.begin(), gone.end(), [](const LetGoFile& a, const LetGoFile& b) { return a.path < b.path; });
  ASSERT_EQ(gone.size(), 5u);
  EXPECT_EQ(gone[0].path, root_ + "/again.log");
  EXPECT_EQ(gone[0].kept, LetGoKept::kPutThereSince);
  EXPECT_EQ(gone[1].path, root_ + "/old.log");
  EXPECT_EQ(gone[1].kept, LetGoKept::kRecordTooOld);
  EXPECT_EQ(gone[2].path, root_ + "/ours.log");
  EXPECT_EQ(gone[2].kept, LetGoKept::kNo);
  EXPECT_EQ(gone[2].error, 0);
  EXPECT_EQ(gone[3].path, root_ + "/rewritten.log");
  EXPECT_EQ(gone[3].kept, LetGoKept::kPutThereSince);
  EXPECT_EQ(gone[4].path, root_ + "/same.log");
  EXPECT_EQ(gone[4].kept, LetGoKept::kPutThereSince);
  EXPECT_FALSE(PathExists(trash_ + "/files/ours.log"));
  EXPECT_FALSE(PathExists(trash_ + "/info/ours.log.trashinfo"));
  EXPECT_EQ(ReadFile(trash_ + "/files/shared.log"), "foreign");
  for (const char* kept : {"shared.log", "again.log", "rewritten.log", "same.log", "old.log"}) {
    EXPECT_TRUE(PathExists(trash_ + "/files/" + kept)) << kept;
    EXPECT_TRUE(PathExists(trash_ + "/info/" + std::string(kept) + ".trashinfo")) << kept;
  }
}

TEST_F(RunRecordTest, ARunKilledMidwayIsRecordedUpToItsLastMove) {
  constexpr int kFiles = 4000;
  for (int i = 0; i < kFiles; ++i) WriteFile(root_ + "/k" + std::to_string(i), "k" + std::to_string(i));
  const ListedFolder listed = ReadListedFolder("D:\\");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const RunRecordScope record;
    DeleteListedFiles(listed, true);
    _exit(0);
  }
  const std::filesystem::path files(trash_ + "/files");
  for (int waited = 0; waited < 20000; ++waited) {
    std::error_code error;
    auto entries = std::filesystem::directory_iterator(files, error);
    if (!error && std::distance(entries, std::filesystem::directory_iterator()) >= kFiles / 4) break;
    usleep(500);
  }
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it was killed";

  const auto restored = RestoreRun(LastRunId(), false);
  ASSERT_TRUE(restored);
  for (const auto& entry : std::filesystem::directory_iterator(files)) {
    if (entry.path().filename().string().starts_with('k')) ADD_FAILURE() << entry.path() << " stayed in the trash";
  }
  for (int i = 0; i < kFiles; ++i) ASSERT_EQ(ReadFile(root_ + "/k" + std::to_string(i)), "k" + std::to_string(i));
}

}  // namespace
}  // namespace vorlix
