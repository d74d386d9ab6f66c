// SPDX-License-Identifier: MIT
// vorlix-clean browsers on a fake home holding every kind of browser profile:
// the real program in its own process, the home given through its
// environment as a person's session gives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cleaning/search_places.h"
#include "tests/cleaning/fake_browser_home.h"
#include "tests/common/child_process.h"
#include "tests/common/json_reader.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;

// Every file and link below a home folder, with its content or link target;
// the program's own settings are not the browsers'.
std::map<std::string, std::string> Snapshot(const std::string& home) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(home)) {
    if (IsInsideFolder(entry.path().string(), home + "/.config/vorlix")) continue;
    if (entry.is_symlink()) {
      files[entry.path().string()] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      files[entry.path().string()] = test::ReadFile(entry.path().string());
    }
  }
  return files;
}

class VorlixCleanBrowsersTest : public ::testing::Test {
 protected:
  VorlixCleanBrowsersTest() : home(test::MakeFakeBrowserHome()), scratch_(test::MakeTempDir("browsers-run")) {}

  // vorlix-clean browsers with the fake home as the session's home.
  test::ProgramRun Clean(const std::vector<std::string>& args) const {
    std::vector<std::string> command = {"/usr/bin/env", "-u", "WINEPREFIX", "HOME=" + home.home,
                                        "XDG_CACHE_HOME=" + home.home + "/.cache",
                                        "XDG_CONFIG_HOME=" + home.home + "/.config",
                                        "XDG_DATA_HOME=" + home.home + "/.local/share", VORLIX_CLEAN_PATH, "browsers"};
    command.insert(command.end(), args.begin(), args.end());
    return test::RunProgram(command, scratch_);
  }

  // The folders a dry run lists, sorted, and those it marks running.
  void DryRun(const std::vector<std::string>& browsers, std::vector<std::string>& folders,
              std::vector<std::string>& running) const {
    std::vector<std::string> args = browsers;
    args.insert(args.end(), {"--dry-run", "--json"});
    const test::ProgramRun listed = Clean(args);
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    const std::optional<test::JsonValue> json = test::ParseJson(listed.out);
    ASSERT_TRUE(json) << listed.out;
    for (const test::JsonValue& item : (*json)["items"].items) {
      folders.push_back(item["path"].text);
      if (item["status"].text == "running") running.push_back(item["path"].text);
    }
    std::sort(folders.begin(), folders.end());
    std::sort(running.begin(), running.end());
  }

  const test::FakeBrowserHome home;

 private:
  std::string scratch_;
};

TEST_F(VorlixCleanBrowsersTest, EveryCacheFolderIsListedThenEmptiedWhileRunningBrowsersAndProfilesStayAsTheyWere) {
  std::vector<std::string> folders;
  std::vector<std::string> running;
  DryRun({}, folders, running);
  EXPECT_EQ(folders, home.cache_folders);
  EXPECT_EQ(running, home.running_folders);

  // What must be left: everything but the files below the cache folders of
  // browsers that are not running.
  std::map<std::string, std::string> kept = Snapshot(home.home);
  std::erase_if(kept, [&](const auto& file) {
    return std::any_of(home.cache_folders.begin(), home.cache_folders.end(), [&](const std::string& folder) {
      return IsInsideFolder(file.first, folder) &&
             !std::binary_search(home.running_folders.begin(), home.running_folders.end(), folder);
    });
  });
  const test::ProgramRun cleaned = Clean({"--permanent", "--json"});
  ASSERT_EQ(cleaned.exit_code, 0) << cleaned.err;
  EXPECT_NE(cleaned.err.find("Chromium Default is running"), std::string::npos) << cleaned.err;
  const std::map<std::string, std::string> left = Snapshot(home.home);
  for (const auto& [file, content] : left) EXPECT_EQ(kept.count(file), 1u) << "still there: " << file;
  for (const auto& [file, content] : kept) EXPECT_EQ(left.count(file) == 1 ? left.at(file) : "", content) << file;
  for (const std::string& folder : home.cache_folders) EXPECT_TRUE(fs::is_directory(folder)) << folder;
}

// The files each folder's item counts, by its path.
std::map<std::string, long long> FilesByFolder(const test::ProgramRun& run, const char* key) {
  std::map<std::string, long long> files;
  const std::optional<test::JsonValue> json = test::ParseJson(run.out);
  EXPECT_TRUE(json) << run.out << run.err;
  if (!json) return files;
  for (const test::JsonValue& item : (*json)["items"].items) files[item["path"].text] += item[key].Number();
  return files;
}

TEST_F(VorlixCleanBrowsersTest, APreviewCountsExactlyWhatTheRunRemovesAndPipesAndSocketsStay) {
  const auto idle = std::find_if(home.cache_folders.begin(), home.cache_folders.end(), [&](const std::string& folder) {
    return !std::binary_search(home.running_folders.begin(), home.running_folders.end(), folder);
  });
  ASSERT_NE(idle, home.cache_folders.end());
  const std::string odd = *idle + "/odd";
  fs::create_directories(odd);
  test::WriteFile(odd + "/file", "12345");
  fs::create_directory_symlink(home.home, odd + "/link");  // goes as the link
  test::MakePipeAndSocket(*idle);
  test::MakePipeAndSocket(odd);

  const test::ProgramRun preview = Clean({"--dry-run", "--json"});
  std::map<std::string, long long> previewed = FilesByFolder(preview, "listed_files");
  const test::ProgramRun run = Clean({"--permanent", "--json"});
  const std::map<std::string, long long> removed = FilesByFolder(run, "removed_files");
  // A preview frees nothing and gives no figure; a run for good gives back the files' blocks.
  EXPECT_TRUE(test::ParseJson(preview.out).value()["space_regained"].IsNull()) << preview.out;
  EXPECT_GT(test::ParseJson(run.out).value()["space_regained"].Number(), 0) << run.out;
  // A running browser's caches are counted but left alone.
  for (const std::string& folder : home.running_folders) previewed[folder] = 0;
  EXPECT_EQ(previewed, removed);
  for (const std::string& left : {*idle + "/pipe", *idle + "/socket", odd + "/pipe", odd + "/socket"}) {
    EXPECT_TRUE(test::PathExists(left)) << left;
  }
  EXPECT_FALSE(test::PathExists(odd + "/link"));
}

// As the schedule runs it: no method named, so into the trash, where a
// cleaning can be undone; --keep-going is taken.
TEST_F(VorlixCleanBrowsersTest, WithoutAMethodTheCachesGoIntoTheTrashAsTheScheduleRunsIt) {
  const test::ProgramRun cleaned = Clean({"--keep-going", "--quiet"});
  ASSERT_EQ(cleaned.exit_code, 0) << cleaned.err;
  const std::string trashed = home.home + "/.local/share/Trash/files";
  std::size_t in_trash = 0;
  for (const std::string& folder : home.cache_folders) {
    if (std::binary_search(home.running_folders.begin(), home.running_folders.end(), folder)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      EXPECT_TRUE(entry.is_directory()) << "still there: " << entry.path();
    }
  }
  if (fs::is_directory(trashed)) in_trash = std::distance(fs::directory_iterator(trashed), fs::directory_iterator());
  EXPECT_GT(in_trash, 0u);

  // A file that cannot go into the trash stays, is named, and the run fails.
  const auto idle = std::find_if(home.cache_folders.begin(), home.cache_folders.end(), [&](const std::string& folder) {
    return !std::binary_search(home.running_folders.begin(), home.running_folders.end(), folder);
  });
  ASSERT_NE(idle, home.cache_folders.end());
  test::WriteFile(*idle + "/late", "l");
  fs::remove_all(home.home + "/.local/share/Trash");
  test::WriteFile(home.home + "/.local/share/Trash", "");
  const test::ProgramRun no_trash = Clean({"--keep-going", "--quiet"});
  EXPECT_EQ(no_trash.exit_code, 1);
  EXPECT_NE(no_trash.err.find("could not remove " + *idle + "/late"), std::string::npos) << no_trash.err;
  EXPECT_EQ(test::ReadFile(*idle + "/late"), "l");
}

TEST_F(VorlixCleanBrowsersTest, ABrowserIsNamedWithOrWithoutItsPackagingInAnyCaseAndAnUnknownNameIsAUsageError) {
  std::vector<std::string> folders;
  std::vector<std::string> running;
  DryRun({"GOOGLE chrome"}, folders, running);
  ASSERT_FALSE(folders.empty());
  for (const std::string& folder : folders) EXPECT_NE(folder.find("/com.google.Chrome/"), std::string::npos) << folder;
  EXPECT_EQ(Clean({"chrome"}).exit_code, 2);
  EXPECT_EQ(Clean({"google chrome beta", "--dry-run"}).exit_code, 0);
}

}  // namespace
}  // namespace vorlix
