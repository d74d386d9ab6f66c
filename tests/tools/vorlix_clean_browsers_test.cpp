// SPDX-License-Identifier: MIT
// vorlix-clean browsers on a fake home holding every kind of browser profile,
// and watch on a home whose fake browsers open and close: the real program in
// its own process, the home given through its environment as a person's
// session gives it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cleaning/search_places.h"
#include "platform/processes.h"
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
  std::map<std::string, long long> previewed_bytes = FilesByFolder(preview, "listed_bytes");
  const test::ProgramRun run = Clean({"--permanent", "--json"});
  const std::map<std::string, long long> removed = FilesByFolder(run, "removed_files");
  const std::map<std::string, long long> removed_bytes = FilesByFolder(run, "removed_bytes");
  // A preview frees nothing and gives no figure; a run for good gives back the files' blocks.
  EXPECT_TRUE(test::ParseJson(preview.out).value()["space_regained"].IsNull()) << preview.out;
  EXPECT_GT(test::ParseJson(run.out).value()["space_regained"].Number(), 0) << run.out;
  // A running browser's caches are counted but left alone.
  for (const std::string& folder : home.running_folders) previewed[folder] = previewed_bytes[folder] = 0;
  EXPECT_EQ(previewed, removed);
  EXPECT_EQ(previewed_bytes, removed_bytes);
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

// A stand-in for a browser: a process that runs until it is killed and, for a
// Mozilla profile, holds ".parentlock" as the browser does.
class FakeBrowser {
 public:
  explicit FakeBrowser(const std::string& parentlock = {}) : pid_(fork()) {
    if (pid_ != 0) return;
    if (!parentlock.empty()) {
      const int fd = open(parentlock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
      struct flock lock {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      if (fd < 0 || fcntl(fd, F_SETLK, &lock) != 0) _exit(1);
    }
    for (;;) pause();
  }
  ~FakeBrowser() { Close(); }
  pid_t pid() const { return pid_; }
  // Ends as a crash does: its marks stay, its locks go.
  void Close() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

 private:
  pid_t pid_;
};

bool WaitFor(const std::function<bool()>& done, double seconds = 10) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (done()) return true;
    usleep(50'000);
  }
  return done();
}

bool FolderHoldsFiles(const std::string& folder) {
  return std::any_of(fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator(),
                     [](const fs::directory_entry& entry) { return entry.is_regular_file(); });
}

// The JSON lines the watch printed that name the cleaning of `set`.
int Cleanings(const std::string& out_file, const std::string& set) {
  int count = 0;
  std::istringstream lines(test::ReadFile(out_file));
  for (std::string line; std::getline(lines, line);) {
    const std::optional<test::JsonValue> json = test::ParseJson(line);
    EXPECT_TRUE(json && (*json)["command"].text == "watch") << line;
    if (json && !(*json)["items"].items.empty() && (*json)["items"].items[0]["slot"].text == set) ++count;
  }
  return count;
}

// CPU ticks (user and system) a process has used.
long CpuTicks(pid_t pid) {
  std::istringstream stat(test::ReadFile("/proc/" + std::to_string(pid) + "/stat"));
  std::string field;
  long ticks = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i >= 14) ticks += std::stol(field);
  }
  return ticks;
}

// A figure of /proc/PID/status ("VmRSS" in kB, "voluntary_ctxt_switches": each time it went to sleep).
long StatusFigure(pid_t pid, const std::string& key) {
  const std::string status = test::ReadFile("/proc/" + std::to_string(pid) + "/status");
  const std::size_t at = status.find("\n" + key + ":");
  return at == std::string::npos ? -1 : std::stol(status.substr(at + key.size() + 2));
}

TEST(VorlixCleanWatchTest, ABrowsersCachesGoWhenItHasClosedAndStayedClosedAndOnlyThen) {
  const std::string home = test::MakeTempDir("watch-home");
  const std::string config = home + "/.config";
  const std::string cache = home + "/.cache";
  const std::string chromium = config + "/chromium";
  const std::string chromium_cache = chromium + "/Default/Cache/Cache_Data";
  const std::string firefox = config + "/mozilla/firefox/ab.default";
  const std::string firefox_cache = cache + "/mozilla/firefox/ab.default/cache2/entries";
  const std::string idle_cache = cache + "/mozilla/firefox/idle.default/cache2/entries";
  for (const std::string& folder : {firefox, config + "/mozilla/firefox/idle.default"}) fs::create_directories(folder);
  for (const std::string& folder : {chromium_cache, firefox_cache, idle_cache}) {
    fs::create_directories(folder);
    test::WriteFile(folder + "/entry", "cached");
  }
  test::WriteFile(chromium + "/Default/Preferences", "{}");
  test::WriteFile(firefox + "/prefs.js", "user_pref");
  test::WriteFile(config + "/mozilla/firefox/idle.default/prefs.js", "user_pref");
  test::WriteFile(config + "/mozilla/firefox/profiles.ini",
                  "[Profile0]\nPath=ab.default\nIsRelative=1\n[Profile1]\nPath=idle.default\nIsRelative=1\n");
  const auto open_chromium = [&](const FakeBrowser& browser) {
    fs::remove(chromium + "/SingletonLock");
    fs::create_symlink(platform::HostName() + "-" + std::to_string(browser.pid()), chromium + "/SingletonLock");
  };
  auto chrome = std::make_unique<FakeBrowser>();
  open_chromium(*chrome);
  FakeBrowser fox(firefox + "/.parentlock");
  fs::create_symlink("127.0.0.1:+" + std::to_string(fox.pid()), firefox + "/lock");

  const std::string out = home + "/out";
  const std::string err = home + "/err";
  const pid_t watch = fork();
  if (watch == 0) {
    const std::string env[] = {"HOME=" + home, "XDG_CONFIG_HOME=" + config, "XDG_CACHE_HOME=" + cache,
                               "XDG_DATA_HOME=" + home + "/.local/share"};
    for (const std::string& each : env) putenv(const_cast<char*>(each.c_str()));
    unsetenv("WINEPREFIX");
    if (freopen(out.c_str(), "w", stdout) == nullptr || freopen(err.c_str(), "w", stderr) == nullptr) _exit(99);
    execl(VORLIX_CLEAN_PATH, "vorlix-clean", "watch", "--delay", "1", "--permanent", "--json", nullptr);
    _exit(98);
  }
  // However the test ends, the watch does not outlive it.
  struct Reaper {
    pid_t pid;
    bool reaped = false;
    ~Reaper() {
      if (!reaped && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
    }
  } reaper{watch};
  ASSERT_TRUE(WaitFor([&] { return test::ReadFile(err).find("watching 3 browser profiles") != std::string::npos; }))
      << test::ReadFile(err);

  // Waiting costs nothing: no tick of CPU while both browsers run, and no
  // waking up to look, however seldom.
  const long ticks = CpuTicks(watch);
  const long sleeps = StatusFigure(watch, "voluntary_ctxt_switches");
  usleep(2'500'000);
  EXPECT_LE(CpuTicks(watch) - ticks, 1);
  EXPECT_EQ(StatusFigure(watch, "voluntary_ctxt_switches"), sleeps);
#ifndef __SANITIZE_ADDRESS__
  EXPECT_LT(StatusFigure(watch, "VmRSS"), 12 * 1024) << "kB resident";
#endif
  EXPECT_TRUE(FolderHoldsFiles(chromium_cache));
  EXPECT_TRUE(FolderHoldsFiles(firefox_cache));

  // Chromium closes as it does: its process ends and its lock goes.
  chrome->Close();
  fs::remove(chromium + "/SingletonLock");
  EXPECT_TRUE(WaitFor([&] { return Cleanings(out, "Chromium Default") == 1; })) << test::ReadFile(out);
  EXPECT_FALSE(FolderHoldsFiles(chromium_cache));
  EXPECT_TRUE(test::PathExists(chromium + "/Default/Preferences"));
  EXPECT_TRUE(FolderHoldsFiles(firefox_cache));

  // Firefox closes: its process ends and its lock link goes.
  fox.Close();
  fs::remove(firefox + "/lock");
  EXPECT_TRUE(WaitFor([&] { return !FolderHoldsFiles(firefox_cache); })) << test::ReadFile(out);
  EXPECT_TRUE(test::PathExists(firefox + "/prefs.js"));

  // Chromium opens and closes again, then opens again within the delay: its
  // caches stay while it runs and go once it is gone for good.
  test::WriteFile(chromium_cache + "/entry", "cached again");
  chrome = std::make_unique<FakeBrowser>();
  open_chromium(*chrome);
  usleep(500'000);
  chrome->Close();
  fs::remove(chromium + "/SingletonLock");
  usleep(300'000);
  chrome = std::make_unique<FakeBrowser>();
  open_chromium(*chrome);
  usleep(2'000'000);
  EXPECT_TRUE(FolderHoldsFiles(chromium_cache));
  chrome->Close();
  EXPECT_TRUE(WaitFor([&] { return Cleanings(out, "Chromium Default") == 2; })) << test::ReadFile(out);
  EXPECT_FALSE(FolderHoldsFiles(chromium_cache));
  // A profile never seen running is not the watch's to clean.
  EXPECT_TRUE(FolderHoldsFiles(idle_cache));

  kill(watch, SIGTERM);
  int status_code = 0;
  ASSERT_EQ(waitpid(watch, &status_code, 0), watch);
  reaper.reaped = true;
  EXPECT_TRUE(WIFEXITED(status_code) && WEXITSTATUS(status_code) == 0) << status_code << test::ReadFile(err);
}

}  // namespace
}  // namespace vorlix
