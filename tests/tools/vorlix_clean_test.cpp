// SPDX-License-Identifier: MIT
// vorlix-clean as a script or a person uses it: the real program in its own
// process, on real folders, a real settings store and the real trash.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/json_reader.h"
#include "tests/common/test_env.h"
#include "tests/common/test_mounts.h"

extern char** environ;

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using ToolRun = test::ProgramRun;
using test::JsonValue;

constexpr const char* kKey = "HKCU\\Software\\Tolvex\\Vorlix 5.0";

class VorlixCleanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeTempDir("clean-tool");
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
  }

  ToolRun Clean(std::vector<std::string> args) {
    args.insert(args.begin(), VORLIX_CLEAN_PATH);
    return test::RunProgram(std::move(args), folder_);
  }

  // Runs vorlix-clean with `answers` on its standard input.
  ToolRun CleanAnswering(const std::string& answers, std::vector<std::string> args) {
    const std::string input = folder_ + "/stdin";
    test::WriteFile(input, answers);
    const int saved = dup(0);
    const int in = open(input.c_str(), O_RDONLY);
    EXPECT_EQ(dup2(in, 0), 0);
    close(in);
    ToolRun run = Clean(std::move(args));
    dup2(saved, 0);
    close(saved);
    return run;
  }

  void Set(const std::string& name, const std::string& type, const std::string& data) {
    ASSERT_EQ(test::RunProgram({VORLIX_REG_PATH, "set", kKey, name, type, data}, folder_).exit_code, 0) << name;
  }

  // Stores a user slot's folder (a set-up slot) and its delete method.
  void SetUserSlot(int number, const std::string& host_folder, bool trash) {
    const std::string prefix = "User Button " + std::to_string(number);
    Set(prefix + " Default Folder", "REG_SZ", "C:" + host_folder);
    Set(prefix + " Hint", "REG_SZ", "C:" + host_folder);
    Set("User " + std::to_string(number) + " Use Recycle", "REG_DWORD", trash ? "-1" : "0");
  }

  // A folder with files of the given sizes (named f0, f1, ...), a hidden
  // file and a subfolder with a file of its own.
  std::string MakeCache(const std::string& hint, const std::vector<int>& sizes) {
    const std::string dir = test::MakeTempDir(hint);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      test::WriteFile(dir + "/f" + std::to_string(i), std::string(static_cast<std::size_t>(sizes[i]), 'x'));
    }
    test::WriteFile(dir + "/.hidden", "h");
    fs::create_directory(dir + "/sub");
    test::WriteFile(dir + "/sub/inner", "i");
    return dir;
  }

  static void ExpectOnlyKeptEntries(const std::string& dir) {
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".hidden", "sub"})) << dir;
    EXPECT_TRUE(test::PathExists(dir + "/sub/inner"));
  }

  std::string Trashed(const std::string& name) const { return folder_ + "/data/Trash/files/" + name; }

  std::string folder_;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The JSON report a program wrote: the whole output is one JSON value.
JsonValue Json(const std::string& output) {
  std::optional<JsonValue> report = test::ParseJson(output);
  EXPECT_TRUE(report && report->kind == JsonValue::Kind::kObject) << output;
  return report.value_or(JsonValue{});
}

// The report's item of a slot; a null value when there is none.
const JsonValue& Item(const JsonValue& report, const std::string& slot) {
  for (const JsonValue& item : report["items"].items) {
    if (item["slot"].text == slot) return item;
  }
  return report["no such item"];
}

std::vector<std::string> Texts(const JsonValue& array) {
  std::vector<std::string> texts;
  for (const JsonValue& item : array.items) texts.push_back(item.text);
  return texts;
}

// A name or path given back as bytes: from its hex beside it when there is
// one, else the string itself.
std::string Bytes(const JsonValue& text, const JsonValue& hex) {
  if (hex.IsNull()) return text.text;
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.text.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.text.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

TEST_F(VorlixCleanTest, ListShowsEachSlotsMethodSelectionAndCountsAndDeletesNothing) {
  const std::string cache = MakeCache("u1", {3, 5});
  SetUserSlot(1, cache, true);
  Set("Delete all U1 selected", "REG_DWORD", "-1");

  const ToolRun text = Clean({"list"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_TRUE(Has(text.out, "u1: trash, Kill All ticked, 2 files, 8 bytes\n    stored: C:" + cache + "\n    path:   " +
                                cache + "\n"))
      << text.out;
  EXPECT_TRUE(Has(text.out, "u2: for good, Kill All not ticked [unset]")) << text.out;
  EXPECT_TRUE(Has(text.out, "typed-urls: Kill All not ticked, none stored")) << text.out;
  EXPECT_LT(text.out.find("\n8: "), text.out.find("\nu1: "));

  const ToolRun json = Clean({"list", "--no-count", "--json"});
  EXPECT_EQ(json.exit_code, 0);
  const JsonValue report = Json(json.out);
  const JsonValue& u1 = Item(report, "u1");
  ASSERT_FALSE(u1.IsNull()) << json.out;
  EXPECT_EQ(u1["listed_files"].Number(), 0);
  EXPECT_EQ(u1["path"].text, cache);
  EXPECT_TRUE(u1["kill_all"].boolean);
  EXPECT_TRUE(test::PathExists(cache + "/f0") && test::PathExists(cache + "/f1"));
}

TEST_F(VorlixCleanTest, RunCleansNamedSlotsEachWithItsMethodAndCountsTheFilesThemselves) {
  const std::string trash_slot = MakeCache("u1", {5, 7});
  const std::string outside = folder_ + "/outside";
  test::WriteFile(outside, "keep");
  ASSERT_EQ(symlink(outside.c_str(), (trash_slot + "/link").c_str()), 0);
  chmod((trash_slot + "/f1").c_str(), 0444);  // read-only: retried after the bit is cleared
  const std::string good_slot = MakeCache("u2", {3});
  chmod((good_slot + "/f0").c_str(), 0444);
  SetUserSlot(1, trash_slot, true);
  SetUserSlot(2, good_slot, false);
  struct stat good_file {};
  ASSERT_EQ(lstat((good_slot + "/f0").c_str(), &good_file), 0);

  const ToolRun run = Clean({"run", "u2", "u1", "--json"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectOnlyKeptEntries(trash_slot);
  ExpectOnlyKeptEntries(good_slot);
  EXPECT_TRUE(test::PathExists(Trashed("f0")) && test::PathExists(Trashed("f1")));
  struct stat link {};
  ASSERT_EQ(lstat(Trashed("link").c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_EQ(test::ReadFile(outside), "keep");
  // The for-good slot's file did not go to the trash.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ + "/data/Trash/files"), fs::directory_iterator()), 3);

  // Kill All order whatever the order named; bytes of the files themselves.
  const JsonValue report = Json(run.out);
  const JsonValue& items = report["items"];
  ASSERT_EQ(items.items.size(), 2u) << run.out;
  EXPECT_EQ(items[0]["slot"].text, "u1");
  EXPECT_EQ(items[0]["removed_files"].Number(), 3);
  EXPECT_EQ(items[0]["removed_bytes"].Number(), 12 + static_cast<long long>(outside.size()));
  EXPECT_EQ(items[0]["listed_bytes"].Number(), 12 + static_cast<long long>(outside.size()));
  EXPECT_EQ(items[0]["method"].text, "trash");
  EXPECT_EQ(items[1]["slot"].text, "u2");
  EXPECT_EQ(items[1]["removed_bytes"].Number(), 3);
  EXPECT_EQ(items[1]["method"].text, "for good");
  EXPECT_EQ(report["total"]["removed_files"].Number(), 4);
  // The disk space the file deleted for good held; the trash frees nothing.
  EXPECT_EQ(report["space_regained"].Number(), static_cast<long long>(good_file.st_blocks) * 512);
}

TEST_F(VorlixCleanTest, RunRefusesAmbiguousArgumentsAndAPreviewDeletesNothing) {
  const std::string cache = MakeCache("u1", {2, 4});
  SetUserSlot(1, cache, false);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"run"}, {"run", "--permanent"}, {"run", "9"}, {"run", "u7"}, {"run", "u1", "--trash", "--permanent"},
           {"run", "u1", "--no-such"}, {"clean", "u1"}, {}, {"folder"}, {"list", "u1"}, {"watch", "--delay", "-1"},
           {"watch", "--delay", "3601"}, {"watch", "--delay", "5s"}, {"watch", "--delay"}, {"watch", "netscape"},
           {"watch", "--dry-run"}}) {
    const ToolRun run = Clean(args);
    EXPECT_EQ(run.exit_code, 2) << (args.empty() ? "" : args[0]) << ' ' << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_TRUE(Has(Clean({"clean", "u1"}).err, "unknown command 'clean'"));
  const ToolRun two_lines = Clean({"run", "u1\n\x1b[2J"});
  EXPECT_EQ(two_lines.err,
            "vorlix-clean: 'u1\\x0A\\x1B[2J' is no slot (slots are 1 to 8 and u1 to u6) (see vorlix-clean --help)\n");
  for (const char* flag : {"--version", "-V"}) {
    const ToolRun version = Clean({flag});
    EXPECT_EQ(version.exit_code, 0) << flag;
    EXPECT_EQ(version.out, "vorlix-clean 5.0\n") << flag;
  }
  const ToolRun preview = Clean({"run", "u1", "--dry-run"});
  EXPECT_EQ(preview.exit_code, 0);
  EXPECT_TRUE(Has(preview.out, "u1: would remove 2 files, 6 bytes (for good)")) << preview.out;
  EXPECT_TRUE(Has(preview.out, "    f0\n    f1\n")) << preview.out;
  SetUserSlot(2, MakeCache("u2", {1}), false);
  const ToolRun one = Clean({"run", "u2", "--dry-run"});
  EXPECT_TRUE(Has(one.out, "u2: would remove 1 file, 1 byte (for good)")) << one.out;
  const JsonValue report = Json(Clean({"run", "u1", "--preview", "--json"}).out);
  EXPECT_EQ(Texts(Item(report, "u1")["would_remove"]), (std::vector<std::string>{"f0", "f1"}));
  EXPECT_EQ(std::count(report.names.begin(), report.names.end(), "space_regained"), 1);
  EXPECT_TRUE(report["space_regained"].IsNull());
  EXPECT_TRUE(test::PathExists(cache + "/f0") && test::PathExists(cache + "/f1"));
  // A preview that finds nothing says so rather than printing nothing.
  EXPECT_EQ(Clean({"browsers", "--dry-run"}).out, "No browser cache was found.\n");
}

TEST_F(VorlixCleanTest, InteractiveDeletesOnlyAfterYesAndTheHistoryFolderGoesTheLastSlotsWay) {
  const std::string cache = MakeCache("u1", {2, 4});
  SetUserSlot(1, cache, true);
  const ToolRun declined = CleanAnswering("n\n", {"run", "u1", "--interactive"});
  EXPECT_EQ(declined.exit_code, 0) << declined.err;
  EXPECT_TRUE(Has(declined.err, "Delete 2 files")) << declined.err;
  EXPECT_TRUE(test::PathExists(cache + "/f0") && test::PathExists(cache + "/f1"));
  const ToolRun agreed = CleanAnswering("y\n", {"run", "u1", "--interactive"});
  EXPECT_EQ(agreed.exit_code, 0) << agreed.err;
  ExpectOnlyKeptEntries(cache);

  // IE button 1 deletes for good; the history folder follows u1 into the trash.
  const std::string history = test::MakeTempDir("history");
  test::WriteFile(history + "/visited", "v");
  Set("IE 1 Use Recycle", "REG_DWORD", "0");
  ASSERT_EQ(test::RunProgram({VORLIX_REG_PATH, "set",
                              "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Url History",
                              "Directory", "REG_SZ", "C:" + history},
                             folder_)
                .exit_code,
            0);
  test::WriteFile(cache + "/again", "a");
  // u2 comes later but is not set up (its hint says so), so its method,
  // for good, is not the history folder's.
  Set("User Button 2 Default Folder", "REG_SZ", "C:" + test::MakeTempDir("u2-unset"));
  Set("User 2 Use Recycle", "REG_DWORD", "0");
  const ToolRun run = Clean({"run", "u1", "u2", "--history"});
  EXPECT_TRUE(Has(run.err, "u2 is not set up; skipped")) << run.err;
  EXPECT_FALSE(test::PathExists(history + "/visited"));
  EXPECT_EQ(test::ReadFile(Trashed("visited")), "v");
}

TEST_F(VorlixCleanTest, FilesThatCannotBeTrashedStayAreNamedAndTheRunGoesOn) {
  const std::string trash_slot = MakeCache("u1", {1, 1});
  const std::string good_slot = MakeCache("u2", {1});
  test::WriteFile(trash_slot + "/two\nlines", "n");
  SetUserSlot(1, trash_slot, true);
  SetUserSlot(2, good_slot, false);
  // A trash that cannot take anything: a plain file where its folder belongs.
  fs::create_directories(folder_ + "/data");
  test::WriteFile(folder_ + "/data/Trash", "");
  // A file system that has no trash at all is told apart from that.
  const std::string no_trash = test::MakeTempDir("no-trash");
  const test::TmpfsMount no_trash_mount(no_trash);
  const bool have_no_trash = no_trash_mount.ok();
  if (have_no_trash) {
    test::WriteFile(no_trash + "/only", "x");
    SetUserSlot(3, no_trash, true);
  }

  const ToolRun run = Clean({"run", "u1", "u2", "u3"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Has(run.err, "could not remove " + trash_slot + "/f0\n")) << run.err;
  EXPECT_TRUE(Has(run.err, "could not remove " + trash_slot + "/f1\n")) << run.err;
  EXPECT_TRUE(Has(run.err, "could not remove " + trash_slot + "/two\\x0Alines\n")) << run.err;  // one line each
  EXPECT_TRUE(test::PathExists(trash_slot + "/f0") && test::PathExists(trash_slot + "/f1"));
  ExpectOnlyKeptEntries(good_slot);
  EXPECT_TRUE(Has(run.out, "u1: removed 0 files, 0 bytes (trash), 3 could not be removed")) << run.out;
  // The trash is there but cannot be used: said so, with the system's reason.
  EXPECT_TRUE(Has(run.err, "u1: 3 files were not moved to the trash: the trash folder " + folder_ +
                               "/data/Trash cannot be used: " + std::strerror(ENOTDIR) + "\n"))
      << run.err;
  EXPECT_FALSE(Has(run.err, "u2: ")) << run.err;
  if (have_no_trash) {
    EXPECT_TRUE(Has(run.err, "u3: 1 file was not moved to the trash: its file system has no trash\n")) << run.err;
  }

  const ToolRun json = Clean({"run", "u1", "u2", "--json"});
  EXPECT_EQ(json.exit_code, 1);
  const JsonValue report = Json(json.out);
  EXPECT_EQ(Item(report, "u1")["not_trashed"].Number(), 3);
  EXPECT_EQ(Item(report, "u1")["unusable_trash"]["folder"].text, folder_ + "/data/Trash");
  EXPECT_EQ(Item(report, "u1")["unusable_trash"]["reason"].text, std::strerror(ENOTDIR));
  EXPECT_EQ(Texts(Item(report, "u1")["failed"]), (std::vector<std::string>{"f0", "f1", "two\nlines"}));
  EXPECT_EQ(Item(report, "u2")["not_trashed"].Number(), 0);
  EXPECT_EQ(report["total"]["failed_files"].Number(), 3);
  EXPECT_EQ(report["total"]["not_trashed_files"].Number(), 3);
}

TEST_F(VorlixCleanTest, KillAllCleansTheTickedItemsAndStopsAtAFolderThatCannotBeEntered) {
  const std::string ticked = MakeCache("u1", {1});
  const std::string unset = MakeCache("u3", {1});
  const std::string not_ticked = MakeCache("u4", {1});
  SetUserSlot(1, ticked, false);
  SetUserSlot(4, not_ticked, false);
  Set("User Button 3 Default Folder", "REG_SZ", "C:" + unset);  // stored, but its hint says unset
  Set("Delete all U1 selected", "REG_DWORD", "-1");
  Set("Delete all U3 selected", "REG_DWORD", "-1");
  Set("Delete IE Typed URLs", "REG_DWORD", "-1");
  ASSERT_EQ(test::RunProgram({VORLIX_REG_PATH, "set", "HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs",
                              "url1", "REG_SZ", "http://example.com/"},
                             folder_)
                .exit_code,
            0);

  const ToolRun run = Clean({"run", "--kill-all"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  ExpectOnlyKeptEntries(ticked);
  EXPECT_TRUE(test::PathExists(unset + "/f0"));
  EXPECT_TRUE(test::PathExists(not_ticked + "/f0"));
  EXPECT_TRUE(Has(run.out, "typed-urls: deleted")) << run.out;
  EXPECT_NE(test::RunProgram({VORLIX_REG_PATH, "query", "HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs"},
                             folder_)
                .exit_code,
            0);

  // IE button 8 comes before U1: its missing folder ends the run there.
  test::WriteFile(ticked + "/again", "a");
  Set("Delete all 8 selected", "REG_DWORD", "-1");
  Set("IE Button 8 Default Folder", "REG_SZ", "C:" + folder_ + "/missing");
  const ToolRun stopped = Clean({"run", "--kill-all", "--json"});
  EXPECT_EQ(stopped.exit_code, 3);
  EXPECT_TRUE(Has(stopped.err, "8: Cannot open the folder")) << stopped.err;
  EXPECT_EQ(Item(Json(stopped.out), "8")["status"].text, "not-entered") << stopped.out;
  EXPECT_TRUE(test::PathExists(ticked + "/again"));

  // With --keep-going the folder is reported and the run goes on; exit 3 still tells.
  const ToolRun kept_going = Clean({"run", "--kill-all", "--keep-going", "--json"});
  EXPECT_EQ(kept_going.exit_code, 3);
  EXPECT_TRUE(Has(kept_going.err, "8: Cannot open the folder")) << kept_going.err;
  EXPECT_EQ(Item(Json(kept_going.out), "8")["status"].text, "not-entered") << kept_going.out;
  EXPECT_EQ(Json(kept_going.out)["exit_code"].Number(), 3);
  ExpectOnlyKeptEntries(ticked);
}

// A file that stays for lack of permission is counted under that reason, on
// standard error and in the JSON report.
TEST_F(VorlixCleanTest, FilesThatStayForLackOfPermissionAreCountedByThatReason) {
  test::WherePermissionsBind([](const std::string& folder) {
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    const std::string locked = folder + "/locked";
    fs::create_directories(locked);
    test::WriteFile(locked + "/a", "x");
    test::WriteFile(locked + "/b", "x");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    const ToolRun run = test::RunProgram({VORLIX_CLEAN_PATH, "folder", locked, "--permanent", "--json"}, folder);
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_TRUE(Has(run.err, "folder: 2 files could not be removed: permission denied\n")) << run.err;
    const JsonValue report = Json(run.out);
    const JsonValue& left = report["total"]["left"];
    ASSERT_EQ(left.items.size(), 1u) << run.out;
    EXPECT_EQ(left.items[0]["reason"].text, "permission denied");
    EXPECT_EQ(left.items[0]["files"].Number(), 2);
    EXPECT_EQ(Item(report, "folder")["left"].items.size(), 1u) << run.out;
  });
}

TEST_F(VorlixCleanTest, FolderCleansOneFolderByItsLinuxOrDosPath) {
  const std::string by_linux = MakeCache("linux", {2});
  const std::string by_dos = MakeCache("dos", {4});
  const ToolRun linux_run = Clean({"folder", by_linux, "--permanent", "--quiet"});
  EXPECT_EQ(linux_run.exit_code, 0) << linux_run.err;
  EXPECT_EQ(linux_run.out, "");
  ExpectOnlyKeptEntries(by_linux);

  std::string dos = "c:" + by_dos;
  std::replace(dos.begin(), dos.end(), '/', '\\');
  const ToolRun dos_run = Clean({"folder", dos, "--trash", "--json"});
  EXPECT_EQ(dos_run.exit_code, 0) << dos_run.err;
  ExpectOnlyKeptEntries(by_dos);
  EXPECT_TRUE(test::PathExists(Trashed("f0")));
  EXPECT_EQ(Json(dos_run.out)["items"][0]["removed_bytes"].Number(), 4);

  const ToolRun missing = Clean({"folder", folder_ + "/missing"});
  EXPECT_EQ(missing.exit_code, 3);
  EXPECT_TRUE(Has(missing.err, "Cannot open the folder")) << missing.err;
}

TEST_F(VorlixCleanTest, APreviewCountsExactlyWhatTheRunRemovesAndPipesAndSocketsStay) {
  const std::string dir = test::MakeTempDir("odd");
  test::WriteFile(dir + "/file", "12345");
  fs::create_symlink(dir + "/file", dir + "/link");
  test::MakePipeAndSocket(dir);
  const ToolRun preview = Clean({"folder", dir, "--dry-run", "--json"});
  ASSERT_EQ(preview.exit_code, 0) << preview.err;
  const JsonValue listed = Json(preview.out)["items"][0];
  EXPECT_EQ(Texts(listed["would_remove"]), (std::vector<std::string>{"file", "link"})) << preview.out;
  const ToolRun run = Clean({"folder", dir, "--permanent", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Json(run.out)["items"][0]["removed_files"].Number(), listed["listed_files"].Number()) << run.out;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"pipe", "socket"}));
}

TEST_F(VorlixCleanTest, WithoutAHomeFolderAFolderOutsideItIsCleanedOnDefaultsAndNothingIsMadeThere) {
  const std::string cache = MakeCache("no-home", {3});
  const std::string home = folder_ + "/missing-home";
  // A system account's session: its home does not exist, and the XDG folders would lie in it.
  const auto without_home = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"/usr/bin/env", "-u", "XDG_CONFIG_HOME", "-u", "XDG_DATA_HOME", "-u", "XDG_CACHE_HOME",
                               "HOME=" + home});
    return test::RunProgram(std::move(args), folder_);
  };
  const ToolRun run = without_home({VORLIX_CLEAN_PATH, "folder", cache, "--permanent"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  ExpectOnlyKeptEntries(cache);
  const ToolRun list = without_home({VORLIX_CLEAN_PATH, "list"});
  EXPECT_TRUE(Has(list.out, "u1: for good, Kill All not ticked [unset]")) << list.out << list.err;
  const ToolRun browsers = without_home({VORLIX_CLEAN_PATH, "browsers", "--dry-run"});
  EXPECT_EQ(browsers.exit_code, 0) << browsers.err;
  // A setting cannot be kept there: that is said, and nothing is made.
  const ToolRun set = without_home({VORLIX_REG_PATH, "set", kKey, "Test", "REG_DWORD", "1"});
  EXPECT_EQ(set.exit_code, 1);
  EXPECT_TRUE(Has(set.err, "the home folder " + home + " does not exist")) << set.err;
  EXPECT_FALSE(test::PathExists(home));
}

TEST_F(VorlixCleanTest, OnlyTheFolderNamedIsCleanedNeverATwinInAnotherCaseNorHomeOrRoot) {
  const std::string parent = test::MakeTempDir("w");
  fs::create_directories(parent + "/Photos");
  test::WriteFile(parent + "/Photos/keep", "k");
  for (const std::string& given : {parent + "/photos", parent + "/PHOTOS/../photos"}) {
    const ToolRun run = Clean({"folder", given, "--permanent"});
    EXPECT_EQ(run.exit_code, 3) << given;
    EXPECT_TRUE(Has(run.err, parent + " holds no folder photos")) << run.err;
  }
  EXPECT_TRUE(test::PathExists(parent + "/Photos/keep"));
  // "." and ".." are read by name, as cd reads them.
  const ToolRun dots = Clean({"folder", parent + "/./Photos/../Photos", "--dry-run"});
  EXPECT_EQ(dots.exit_code, 0) << dots.err;
  EXPECT_TRUE(Has(dots.out, "would remove 1 file,")) << dots.out;

  // A stored folder that vanished is missing, not its twin in another case.
  fs::create_directories(parent + "/cache");
  test::WriteFile(parent + "/cache/twin", "t");
  SetUserSlot(1, parent + "/Cache", false);
  // The home folder and the root are never cleaned by a run that asks nothing.
  test::WriteFile(std::string(getenv("HOME")) + "/document", "d");
  SetUserSlot(2, getenv("HOME"), false);
  for (const char* slot : {"u1", "u2"}) {
    const ToolRun run = Clean({"run", slot, "--json"});
    EXPECT_EQ(run.exit_code, 3) << slot << run.err;
  }
  EXPECT_TRUE(test::PathExists(parent + "/cache/twin"));
  EXPECT_TRUE(test::PathExists(std::string(getenv("HOME")) + "/document"));
  const ToolRun root = Clean({"folder", "/", "--dry-run", "--json"});
  EXPECT_EQ(root.exit_code, 3);
  EXPECT_EQ(Json(root.out)["items"][0]["status"].text, "protected") << root.out;
  EXPECT_TRUE(Has(root.err, "is the root folder")) << root.err;
}

TEST_F(VorlixCleanTest, NamesThatAreNotUtf8AreGivenBackByteForByte) {
  // The valid name "\xC3\xBF" and the lone byte 0xFF read alike as JSON strings.
  const std::string dir = test::MakeTempDir("names") + "/caf\xFF";
  fs::create_directory(dir);
  test::WriteFile(dir + "/\xC3\xBF", "1");
  test::WriteFile(dir + "/\xFF", "2");

  const ToolRun run = Clean({"folder", dir, "--permanent", "--dry-run", "--json"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const JsonValue report = Json(run.out);
  const JsonValue& item = report["items"][0];
  const JsonValue& names = item["would_remove"];
  const JsonValue& hex = item["would_remove_bytes"];
  ASSERT_EQ(names.items.size(), 2u) << run.out;
  EXPECT_TRUE(hex[0].IsNull()) << run.out;  // only names that need it carry their bytes
  EXPECT_EQ(Bytes(names[0], hex[0]), "\xC3\xBF");
  EXPECT_EQ(Bytes(names[1], hex[1]), "\xFF");
  EXPECT_EQ(Bytes(item["path"], item["path_bytes"]), dir);
  std::string dos = "C:" + dir;
  std::replace(dos.begin(), dos.end(), '/', '\\');
  EXPECT_EQ(Bytes(item["folder"], item["folder_bytes"]), dos);
  EXPECT_TRUE(test::PathExists(dir + "/\xFF"));

  // The record of a trash run gives them back as exactly.
  ASSERT_EQ(Clean({"folder", dir, "--trash", "--quiet"}).exit_code, 0);
  const JsonValue history = Json(Clean({"history", "--json"}).out);
  EXPECT_EQ(Bytes(history["runs"][0]["folders"][0], history["runs"][0]["folders_bytes"][0]), dir);
  test::WriteFile(dir + "/\xFF", "made since");
  const ToolRun restored = Clean({"restore", "--json"});
  const JsonValue stayed = Json(restored.out)["stayed"][0];
  EXPECT_EQ(Bytes(stayed["path"], stayed["path_bytes"]), dir + "/\xFF") << restored.out;
}

TEST_F(VorlixCleanTest, InterruptStopsAfterTheCurrentFileAndReportsWhatWasDone) {
  constexpr int kFiles = 4000;
  const std::string cache = test::MakeTempDir("many");
  for (int i = 0; i < kFiles; ++i) test::WriteFile(cache + "/f" + std::to_string(i), "x");
  SetUserSlot(1, cache, true);  // trashing is slow enough to be caught midway

  const std::string out_path = folder_ + "/interrupted.json";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out >= 0 && dup2(out, 1) == 1) {
      char* argv[] = {const_cast<char*>(VORLIX_CLEAN_PATH), const_cast<char*>("run"), const_cast<char*>("u1"),
                      const_cast<char*>("--json"), nullptr};
      execve(argv[0], argv, environ);
    }
    _exit(127);
  }
  ASSERT_GT(pid, 0);
  // Wait until some files have gone, then interrupt.
  for (int waited = 0; waited < 10000; ++waited) {
    std::size_t left = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(cache)) ++left;
    if (left < kFiles - 10) break;
    usleep(1000);
  }
  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);

  std::size_t left = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(cache)) ++left;
  const JsonValue report = Json(test::ReadFile(out_path));
  EXPECT_TRUE(report["interrupted"].boolean);
  EXPECT_EQ(report["items"][0]["status"].text, "stopped");
  EXPECT_GT(left, 0u);
  EXPECT_EQ(report["items"][0]["removed_files"].Number(), static_cast<long long>(kFiles - left));
}

// Starts vorlix-clean with `args`, its output thrown away, without waiting for it.
pid_t StartClean(const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0 && dup2(null, 1) == 1 && dup2(null, 2) == 2) {
      std::vector<char*> argv{const_cast<char*>(VORLIX_CLEAN_PATH)};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execve(argv[0], argv.data(), environ);
    }
    _exit(127);
  }
  return pid;
}

TEST_F(VorlixCleanTest, RestoreLastPutsTheLastRunBackByteIdenticalNeverOverAFileMadeSince) {
  constexpr int kFiles = 1000;
  const std::string early = test::MakeTempDir("early");
  test::WriteFile(early + "/early", "e");
  ASSERT_EQ(Clean({"folder", early, "--trash"}).exit_code, 0);
  const std::string cache = test::MakeTempDir("cache");
  const timespec times[2] = {{1'600'000'000, 5}, {1'500'000'000, 7}};
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = cache + "/f" + std::to_string(i);
    test::WriteFile(path, "content " + std::to_string(i));
    ASSERT_EQ(chmod(path.c_str(), i % 2 == 0 ? 0600 : 0640), 0);
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  SetUserSlot(1, cache, false);
  ASSERT_EQ(Clean({"run", "u1", "--trash", "--quiet"}).exit_code, 0);
  test::WriteFile(cache + "/f7", "made since");

  const ToolRun restored = Clean({"restore", "--last", "--json"});
  EXPECT_EQ(restored.exit_code, 1) << restored.err;
  const JsonValue report = Json(restored.out);
  EXPECT_EQ(report["restored"].Number(), kFiles - 1);
  ASSERT_EQ(report["stayed"].items.size(), 1u) << restored.out;
  EXPECT_EQ(report["stayed"][0]["path"].text, cache + "/f7");
  EXPECT_EQ(report["stayed"][0]["outcome"].text, "occupied");
  EXPECT_TRUE(Has(restored.err, cache + "/f7 stays in the trash")) << restored.err;
  for (int i = 0; i < kFiles; ++i) {
    if (i == 7) continue;
    const std::string path = cache + "/f" + std::to_string(i);
    ASSERT_EQ(test::ReadFile(path), "content " + std::to_string(i));
    struct stat back {};
    ASSERT_EQ(stat(path.c_str(), &back), 0);
    EXPECT_EQ(back.st_mode & 07777, i % 2 == 0 ? 0600u : 0640u) << path;
    EXPECT_EQ(back.st_mtim.tv_sec, times[1].tv_sec) << path;
    EXPECT_EQ(back.st_mtim.tv_nsec, times[1].tv_nsec) << path;
  }
  EXPECT_EQ(test::ReadFile(cache + "/f7"), "made since");
  EXPECT_EQ(test::ReadFile(Trashed("f7")), "content 7");
  EXPECT_TRUE(test::PathExists(Trashed("early")));  // the earlier run is not the last

  const JsonValue history = Json(Clean({"history", "--json"}).out);
  ASSERT_EQ(history["runs"].items.size(), 2u);
  EXPECT_EQ(history["runs"][0]["files"].Number(), kFiles);
  EXPECT_EQ(history["runs"][0]["in_trash"].Number(), 1);
  EXPECT_EQ(Texts(history["runs"][1]["folders"]), std::vector<std::string>{early});
  const ToolRun text = Clean({"restore", "--run", history["runs"][1]["id"].text});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out, "1 file was put back where it came from.\n");
  EXPECT_EQ(Clean({"restore", "--run", "nosuch"}).exit_code, 3);
  EXPECT_EQ(Clean({"restore", "--run"}).exit_code, 2);

  // A record that cannot be read is said so, not taken for no record at all.
  const std::string runs = folder_ + "/config/vorlix/runs";
  ASSERT_EQ(rename(runs.c_str(), (runs + ".aside").c_str()), 0);
  test::WriteFile(runs, "not a folder");
  for (const std::vector<std::string>& command : {std::vector<std::string>{"history"}, {"restore"}}) {
    const ToolRun unreadable = Clean(command);
    EXPECT_EQ(unreadable.exit_code, 3) << command[0];
    EXPECT_TRUE(Has(unreadable.err, "the record of cleanings in " + runs + " cannot be read: ")) << unreadable.err;
    EXPECT_FALSE(Has(unreadable.out + unreadable.err, "o cleaning into the trash is recorded")) << command[0];
  }
  // So is a single record: one past any run's size is refused unread, and
  // the last run is that one, not the one before it.
  ASSERT_EQ(unlink(runs.c_str()), 0);
  ASSERT_EQ(rename((runs + ".aside").c_str(), runs.c_str()), 0);
  const std::string huge = runs + "/99999999999999999999.run";
  test::WriteFile(huge, "vorlix-run 2 1765150000\n");
  ASSERT_EQ(truncate(huge.c_str(), (std::int64_t{256} << 20) + 1), 0);
  for (const std::vector<std::string>& command : {std::vector<std::string>{"history"}, {"restore", "--last"}}) {
    const ToolRun unreadable = Clean(command);
    EXPECT_EQ(unreadable.exit_code, 3) << command[0];
    EXPECT_TRUE(Has(unreadable.err, "the run record " + huge + " cannot be read: it is larger than 256 MiB"))
        << unreadable.err;
  }
  EXPECT_TRUE(Has(Clean({"history"}).out, " moved, 1 still in the trash")) << "the readable runs are listed";
  ASSERT_TRUE(fs::create_directory(runs + "/folder.run"));
  const ToolRun folder = Clean({"restore", "--run", "folder"});
  EXPECT_EQ(folder.exit_code, 3);
  EXPECT_TRUE(Has(folder.err, "/folder.run cannot be read: is a directory")) << folder.err;
}

TEST_F(VorlixCleanTest, PurgeLetsGoOfExactlyWhatVorlixTrashedNotAForeignEntryOfTheSameNameNorOneTrashedAgain) {
  const std::string cache = test::MakeTempDir("cache");
  test::WriteFile(cache + "/ours.log", "ours");
  test::WriteFile(cache + "/shared.log", "ours too");
  test::WriteFile(cache + "/again.log", "the user's now");
  SetUserSlot(1, cache, true);
  ASSERT_EQ(Clean({"run", "u1", "--quiet"}).exit_code, 0);
  // again.log is taken back out of the trash, then trashed again the way
  // trash-put does it: a new record (the old one held, so that its file
  // cannot come back as the new one), then the rename into files/.
  const std::string again_info = folder_ + "/data/Trash/info/again.log.trashinfo";
  const std::string record_text = test::ReadFile(again_info);
  ASSERT_EQ(link(again_info.c_str(), (folder_ + "/held").c_str()), 0);
  ASSERT_EQ(rename(Trashed("again.log").c_str(), (cache + "/again.log").c_str()), 0);
  ASSERT_EQ(unlink(again_info.c_str()), 0);
  const int made = open(again_info.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(made, 0);
  ASSERT_EQ(write(made, record_text.data(), record_text.size()), static_cast<ssize_t>(record_text.size()));
  close(made);
  ASSERT_EQ(rename((cache + "/again.log").c_str(), Trashed("again.log").c_str()), 0);
  // shared.log is put back by hand, and another program trashes a file of that
  // name from elsewhere, at the run's time: old enough to go, so only its not
  // being ours keeps it.
  const std::string elsewhere = test::MakeTempDir("elsewhere");
  ASSERT_EQ(rename(Trashed("shared.log").c_str(), (elsewhere + "/shared.log").c_str()), 0);
  test::WriteFile(Trashed("shared.log"), "foreign");
  ASSERT_NE(record_text.find("DeletionDate="), std::string::npos);
  test::WriteFile(folder_ + "/data/Trash/info/shared.log.trashinfo",
                  "[Trash Info]\nPath=" + elsewhere + "/shared.log\n" +
                      record_text.substr(record_text.find("DeletionDate=")));

  EXPECT_EQ(Clean({"purge", "--older-than", "1"}).out, "0 files were deleted for good from the trash.\n");
  EXPECT_EQ(Clean({"purge", "--older-than", "1", "--quiet"}).out, "");
  const ToolRun preview = Clean({"purge", "--older-than", "0", "--dry-run"});
  EXPECT_EQ(preview.out, "1 file would be deleted for good from the trash.\n    " + cache + "/ours.log\n" + cache +
                             "/again.log is in the trash but was put there by another program since: kept\n");
  EXPECT_TRUE(test::PathExists(Trashed("ours.log")));
  const JsonValue restorable = Json(Clean({"restore", "--last", "--dry-run", "--json"}).out);
  EXPECT_EQ(restorable["restored"].Number(), 1);
  EXPECT_EQ(restorable["not_in_trash"].Number(), 2);

  const ToolRun purge = Clean({"purge", "--older-than", "0", "--json"});
  EXPECT_EQ(purge.exit_code, 0) << purge.err;
  EXPECT_EQ(Texts(Json(purge.out)["deleted"]), std::vector<std::string>{cache + "/ours.log"});
  EXPECT_EQ(test::ReadFile(Trashed("again.log")), "the user's now");
  EXPECT_TRUE(test::PathExists(again_info));
  EXPECT_FALSE(test::PathExists(Trashed("ours.log")));
  EXPECT_FALSE(test::PathExists(folder_ + "/data/Trash/info/ours.log.trashinfo"));
  EXPECT_EQ(test::ReadFile(Trashed("shared.log")), "foreign");
  EXPECT_TRUE(test::PathExists(folder_ + "/data/Trash/info/shared.log.trashinfo"));
  EXPECT_EQ(Clean({"purge"}).exit_code, 2);
  EXPECT_EQ(Clean({"purge", "--older-than", "-1"}).exit_code, 2);
}

TEST_F(VorlixCleanTest, RestorePutsFilesOnlyIntoTheVeryFolderTheyCameFromKnownByWhatItIs) {
  const std::string parent = test::MakeTempDir("parent");
  const std::string app = parent + "/app";
  ASSERT_TRUE(fs::create_directory(app));
  test::WriteFile(app + "/f0", "f0");
  ASSERT_EQ(Clean({"folder", app, "--trash"}).exit_code, 0);
  const std::string elsewhere = test::MakeTempDir("elsewhere");
  const auto expect_stays = [&](const std::string& how, const std::string& untouched) {
    const ToolRun restored = Clean({"restore", "--last"});
    EXPECT_EQ(restored.exit_code, 1) << how;
    EXPECT_TRUE(Has(restored.err, app + "/f0 stays in the trash: its folder is no longer the one it was cleaned from"))
        << how << ": " << restored.err;
    EXPECT_EQ(test::ReadFile(Trashed("f0")), "f0") << how;
    EXPECT_TRUE(fs::is_empty(untouched)) << how;
  };
  // The folder replaced by a link to another folder.
  ASSERT_EQ(rename(app.c_str(), (parent + "/app.was").c_str()), 0);
  ASSERT_EQ(symlink(elsewhere.c_str(), app.c_str()), 0);
  expect_stays("a link to another folder", elsewhere);
  // The folder replaced by another folder of the same name.
  ASSERT_EQ(unlink(app.c_str()), 0);
  ASSERT_TRUE(fs::create_directory(app));
  expect_stays("another folder", app);
  // The very folder, reached now through a parent that is a link (as a
  // linked ~/.cache is): it is the folder the file came from, known by what
  // it is, so the file goes back there.
  ASSERT_TRUE(fs::remove(app));
  ASSERT_EQ(rename((parent + "/app.was").c_str(), app.c_str()), 0);
  ASSERT_EQ(rename(parent.c_str(), (parent + ".was").c_str()), 0);
  ASSERT_EQ(symlink((parent + ".was").c_str(), parent.c_str()), 0);
  const ToolRun back = Clean({"restore", "--last"});
  EXPECT_EQ(back.exit_code, 0) << back.err;
  EXPECT_EQ(test::ReadFile(parent + ".was/app/f0"), "f0");
}

TEST_F(VorlixCleanTest, ScheduleWritesUnitsSystemdAcceptsAndOffRemovesThem) {
  // A systemctl stand-in on PATH: it records its calls and answers as a user
  // manager would, or, with the file "down" there, as when none answers.
  const std::string bin = test::MakeTempDir("bin");
  test::WriteFile(bin + "/systemctl",
                  "#!/bin/sh\necho \"$@\" >>\"" + bin + "/calls\"\n"
                  "if [ -e \"" + bin + "/down\" ]; then echo 'Failed to connect to bus'; exit 1; fi\n");
  ASSERT_EQ(chmod((bin + "/systemctl").c_str(), 0755), 0);
  const std::string path = getenv("PATH") != nullptr ? getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (bin + ":" + path).c_str(), 1);
  const std::string units = folder_ + "/config/systemd/user";

  const ToolRun on = Clean({"schedule", "--weekly", "--kill-all"});
  EXPECT_EQ(on.exit_code, 0) << on.err;
  const std::string service = test::ReadFile(units + "/vorlix-clean.service");
  // Each folder's own method, the Kill All run alone.
  EXPECT_TRUE(Has(service, "status=0; \"$$0\" run --kill-all --keep-going --quiet || status=$$?; exit")) << service;
  EXPECT_TRUE(Has(service, std::string("\"") + VORLIX_CLEAN_PATH + "\"")) << service;
  EXPECT_TRUE(Has(test::ReadFile(units + "/vorlix-clean.timer"), "OnCalendar=weekly\n"));
  EXPECT_TRUE(Has(test::ReadFile(bin + "/calls"), "--user enable --now vorlix-clean.timer\n"));
  const std::string analyze = "/usr/bin/systemd-analyze";
  if (access(analyze.c_str(), X_OK) == 0) {
    const ToolRun verify =
        test::RunProgram({analyze, "verify", units + "/vorlix-clean.timer", units + "/vorlix-clean.service"}, folder_);
    EXPECT_EQ(verify.exit_code, 0) << verify.out << verify.err;
  }

  EXPECT_EQ(Clean({"schedule", "--monthly", "--kill-all", "--browsers", "--permanent"}).exit_code, 0);
  EXPECT_TRUE(Has(test::ReadFile(units + "/vorlix-clean.service"),
                  "\"$$0\" run --kill-all --keep-going --quiet --permanent || status=$$?; "
                  "\"$$0\" browsers --keep-going --quiet --permanent || status=$$?; exit"));

  // The watcher beside the timer, into the trash as browsers cleans by default.
  const ToolRun watch = Clean({"schedule", "--on-browser-close"});
  EXPECT_EQ(watch.exit_code, 0) << watch.err;
  const std::string watcher = test::ReadFile(units + "/vorlix-clean-watch.service");
  EXPECT_TRUE(Has(watcher, std::string("exec \"$$0\" watch --trash' \"") + VORLIX_CLEAN_PATH + "\"\n"))
      << watcher;
  EXPECT_TRUE(Has(test::ReadFile(bin + "/calls"), "--user enable --now vorlix-clean-watch.service\n"));
  if (access(analyze.c_str(), X_OK) == 0) {
    const ToolRun verify = test::RunProgram({analyze, "verify", units + "/vorlix-clean-watch.service"}, folder_);
    EXPECT_EQ(verify.exit_code, 0) << verify.out << verify.err;
  }
  const ToolRun status = Clean({"schedule", "--status"});
  EXPECT_TRUE(Has(status.out, "Cleans the Kill All folders and the browser caches monthly")) << status.out;
  EXPECT_TRUE(Has(status.out, "\nCleans the browser caches when a browser closes, moving files to the trash.\n"))
      << status.out;
  const JsonValue status_json = Json(Clean({"schedule", "--status", "--json"}).out);
  EXPECT_EQ(status_json["timer"]["frequency"].text, "monthly");
  EXPECT_EQ(status_json["timer"]["method"].text, "permanent");
  EXPECT_TRUE(status_json["timer"]["browsers"].boolean);
  EXPECT_EQ(status_json["watcher"]["method"].text, "trash");

  const ToolRun off = Clean({"schedule", "--off"});
  EXPECT_EQ(off.exit_code, 0) << off.err;
  EXPECT_FALSE(test::PathExists(units + "/vorlix-clean.service"));
  EXPECT_FALSE(test::PathExists(units + "/vorlix-clean.timer"));
  EXPECT_FALSE(test::PathExists(units + "/vorlix-clean-watch.service"));

  test::WriteFile(bin + "/down", "");
  const ToolRun no_manager = Clean({"schedule", "--daily", "--browsers", "--trash"});
  EXPECT_EQ(no_manager.exit_code, 1);
  EXPECT_TRUE(Has(no_manager.err, "systemctl --user enable --now vorlix-clean.timer")) << no_manager.err;
  const ToolRun no_manager_json = Clean({"schedule", "--daily", "--browsers", "--trash", "--json"});
  EXPECT_EQ(no_manager_json.exit_code, 1);
  EXPECT_EQ(Json(no_manager_json.out)["ok"].kind, JsonValue::Kind::kBool);
  EXPECT_FALSE(Json(no_manager_json.out)["ok"].boolean) << no_manager_json.out;
  EXPECT_TRUE(Has(test::ReadFile(units + "/vorlix-clean.timer"), "OnCalendar=daily\n"));
  EXPECT_TRUE(Has(test::ReadFile(units + "/vorlix-clean.service"),
                  "status=0; \"$$0\" browsers --keep-going --quiet --trash || status=$$?; exit"));
  EXPECT_EQ(Clean({"schedule", "--off", "--kill-all"}).exit_code, 2);
  EXPECT_EQ(Clean({"schedule", "--weekly"}).exit_code, 2);
  EXPECT_EQ(Clean({"schedule", "--on-browser-close", "--kill-all"}).exit_code, 2);
  EXPECT_EQ(Clean({"schedule", "--on-browser-close", "--daily", "--browsers"}).exit_code, 2);
  setenv("PATH", path.c_str(), 1);
}

TEST_F(VorlixCleanTest, ARunKilledMidwayIsPutBackFromItsRecord) {
  constexpr int kFiles = 4000;
  const std::string cache = test::MakeTempDir("many");
  for (int i = 0; i < kFiles; ++i) test::WriteFile(cache + "/k" + std::to_string(i), "k" + std::to_string(i));
  SetUserSlot(1, cache, false);
  const pid_t pid = StartClean({"run", "u1", "--trash", "--quiet"});
  ASSERT_GT(pid, 0);
  for (int waited = 0; waited < 20000; ++waited) {
    std::error_code error;
    auto entries = fs::directory_iterator(folder_ + "/data/Trash/files", error);
    if (!error && std::distance(entries, fs::directory_iterator()) >= kFiles / 4) break;
    usleep(500);
  }
  kill(pid, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it was killed";

  const ToolRun restored = Clean({"restore", "--last"});
  EXPECT_EQ(restored.exit_code, 0) << restored.err;
  for (int i = 0; i < kFiles; ++i) ASSERT_EQ(test::ReadFile(cache + "/k" + std::to_string(i)), "k" + std::to_string(i));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ + "/data/Trash/files"), fs::directory_iterator()), 0);

  // A run that cannot be recorded still cleans, and says that it cannot be undone.
  fs::remove_all(folder_ + "/config/vorlix/runs");
  test::WriteFile(folder_ + "/config/vorlix/runs", "not a folder");
  const ToolRun unrecorded = Clean({"run", "u1", "--trash", "--quiet"});
  EXPECT_EQ(unrecorded.exit_code, 0) << unrecorded.err;
  EXPECT_TRUE(Has(unrecorded.err, "this cleaning could not be recorded for undoing: " + folder_ + "/config/vorlix/runs"))
      << unrecorded.err;
  EXPECT_FALSE(test::PathExists(cache + "/k0"));
}

}  // namespace
}  // namespace vorlix
