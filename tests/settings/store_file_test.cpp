// SPDX-License-Identifier: MIT
// The store file itself: damaged, foreign or unreachable files give a clear
// error and stay untouched; a new one reaches the disk whole; two processes
// writing at once lose nothing.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <grp.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "settings/reg_files.h"
#include "store/registry_store_file.h"
#include "tests/common/child_process.h"
#include "tests/settings/store_fixture.h"

// While a trace is on, this program's fsync, link and unlink record each call
// with the file it names and whether the traced folder was locked by another
// open of it at that moment; then they do what the C library does.
namespace {

struct TracedCall {
  std::string call;
  std::string path;
  bool folder_locked = false;
};
std::vector<TracedCall>* g_trace = nullptr;
std::string g_traced_folder;

void Trace(const char* call, const std::string& path) {
  if (g_trace == nullptr) return;
  const int fd = open(g_traced_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);  // lets go of the lock when it was ours
  g_trace->push_back({call, path, locked});
}

template <class Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  if (g_trace != nullptr) {
    char path[PATH_MAX];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path);
    Trace("fsync", std::string(path, length > 0 ? length : 0));
  }
  static const auto next = Next<int (*)(int)>("fsync");
  return next(fd);
}

extern "C" int link(const char* from, const char* to) noexcept {
  Trace("link", std::string(from) + " -> " + to);
  static const auto next = Next<int (*)(const char*, const char*)>("link");
  return next(from, to);
}

extern "C" int unlink(const char* path) noexcept {
  Trace("unlink", path);
  static const auto next = Next<int (*)(const char*)>("unlink");
  return next(path);
}

namespace vorlix {
namespace {

class StoreFileTest : public test::StoreTest {
 protected:
  // The bytes of a complete store holding a few values, made in a folder of
  // its own and closed, so that nothing of it waits in a log file.
  std::string GoodStoreBytes() {
    const std::string mine = config_;
    UseConfigFolder(test::MakeTempDir("source"));
    TRegFile reg;
    reg.Key = "Software\\Tolvex\\Vorlix 5.0";
    for (int i = 0; i < 200; ++i) reg.WriteValue("Value " + std::to_string(i), std::string(100, 'x'));
    const std::string source = StorePath();
    UseConfigFolder(test::MakeTempDir("elsewhere"));
    reg.KeyExists("");  // opens another store, closing the source one
    UseConfigFolder(mine);
    return test::ReadFile(source);
  }

  // Puts `bytes` where the store belongs, with `log` as its log file when there
  // is one, and expects every operation to fail naming the file and `reason`,
  // leaving the file and its log as they were.
  void ExpectRefused(const std::string& bytes, const std::string& reason, const std::string& log = {}) {
    std::filesystem::create_directories(config_ + "/vorlix");
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(StorePath() + suffix);
    test::WriteFile(StorePath(), bytes);
    if (!log.empty()) test::WriteFile(StorePath() + "-wal", log);
    TRegFile reg;
    reg.Key = "Software\\Tolvex\\Vorlix 5.0";
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        reg.WriteValue("Value 1", "new");
        ADD_FAILURE() << "no error for " << reason;
      } catch (const ERegFileError& error) {
        EXPECT_NE(RefusalReason(error.what()).find(reason), std::string::npos) << error.what();
        // The advice to move the store away names the log files that go with it.
        EXPECT_NE(std::string(error.what()).find(StorePath() + "-wal"), std::string::npos)
            << error.what();
      }
      EXPECT_THROW(reg.KeyExists(""), ERegFileError);
    }
    EXPECT_TRUE(test::ReadFile(StorePath()) == bytes) << "the file was changed: " << reason;
    if (!log.empty()) {
      EXPECT_TRUE(test::ReadFile(StorePath() + "-wal") == log) << "the log was changed";
    }
  }

  // The reason a refusal gives, between the fixed words about the store's
  // path before it and the advice after it; "?" for another message.
  std::string RefusalReason(const std::string& message) const {
    const std::string frame = platform::DamagedStoreMessage(StorePath(), "\x01");
    const std::string before = frame.substr(0, frame.find('\x01'));
    const std::string after = frame.substr(frame.find('\x01') + 1);
    if (message.size() < before.size() + after.size() || !message.starts_with(before) ||
        !message.ends_with(after)) {
      return "?";
    }
    return message.substr(before.size(), message.size() - before.size() - after.size());
  }
};

TEST_F(StoreFileTest, FilesThatAreNotAWholeStoreAreRefusedAndLeftAlone) {
  const std::string good = GoodStoreBytes();
  ASSERT_GT(good.size(), 8192u);
  ExpectRefused("", "the file is empty");
  ExpectRefused("[HKEY_CURRENT_USER]\nsome text, not a database\n", "not a database");
  ExpectRefused(good.substr(0, 50), "not a Vorlix settings database");
  ExpectRefused(good.substr(0, good.size() / 2), "malformed");
  ExpectRefused(good.substr(0, good.size() - 4096), "malformed");

  // Pages after the first overwritten with noise.
  std::string damaged = good;
  for (std::size_t i = 4096; i < damaged.size(); ++i) damaged[i] = static_cast<char>(i * 7919 % 251);
  ExpectRefused(damaged, "quick check: ");

  // A header that counts free pages where there are none: every page reads,
  // and only SQLite's check of the file finds the damage.
  std::string miscounted = good;
  miscounted[39] = 3;
  ExpectRefused(miscounted, "quick check: ");
}

TEST_F(StoreFileTest, AnotherProgramsDatabaseIsRefusedWithItsLogUntouched) {
  std::string foreign = GoodStoreBytes();
  foreign[68] = 0x12;  // another application id
  ExpectRefused(foreign, "not a Vorlix settings database");

  // Another program's database whose last changes wait in its log: a writing
  // connection would write them back into the file when it closes.
  const std::string other = test::MakeTempDir("other") + "/other.db";
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(other.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode = WAL; CREATE TABLE t (x); INSERT INTO t VALUES (1);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_close(db);
  const std::string log = test::ReadFile(other + "-wal");
  ASSERT_FALSE(log.empty());
  ExpectRefused(test::ReadFile(other), "not a Vorlix settings database", log);
}

TEST_F(StoreFileTest, ANewStoreReachesTheDiskBeforeItsNameAndAllUnderTheFolderLock) {
  UseConfigFolder(std::filesystem::canonical(config_));  // as /proc names the files
  const std::string folder = config_ + "/vorlix";
  std::filesystem::create_directories(folder);
  test::WriteFile(StorePath() + "-shm", "left behind");
  std::vector<TracedCall> trace;
  g_traced_folder = folder;
  g_trace = &trace;
  platform::CreateStoreFile(StorePath());
  g_trace = nullptr;

  const auto linked = std::find_if(trace.begin(), trace.end(), [&](const TracedCall& call) {
    return call.call == "link" && call.path.ends_with(" -> " + StorePath());
  });
  ASSERT_NE(linked, trace.end()) << "the store was not linked into place";
  const std::string temp = linked->path.substr(0, linked->path.find(" -> "));
  EXPECT_TRUE(std::any_of(trace.begin(), linked, [&](const TracedCall& call) {
    return call.call == "fsync" && call.path == temp;
  })) << "linked before its data reached the disk";
  EXPECT_TRUE(std::any_of(linked, trace.end(), [&](const TracedCall& call) {
    return call.call == "fsync" && call.path == folder;
  })) << "the folder holding the new name was not synced";
  ASSERT_EQ(trace.front().call + " " + trace.front().path, "unlink " + StorePath() + "-wal");
  for (const TracedCall& call : trace) EXPECT_TRUE(call.folder_locked) << call.call << " " << call.path;
  EXPECT_FALSE(test::PathExists(StorePath() + "-shm"));
}

TEST_F(StoreFileTest, AFolderThatCannotBeMadeGivesAClearError) {
  const std::string blocker = test::MakeTempDir("blocked") + "/file";
  test::WriteFile(blocker, "a file where the configuration folder should be");
  UseConfigFolder(blocker);
  TRegFile reg;
  try {
    reg.ReadValue("x");
    ADD_FAILURE() << "no error";
  } catch (const ERegFileError& error) {
    EXPECT_NE(std::string(error.what()).find("cannot create the settings folder " + blocker + "/vorlix"),
              std::string::npos)
        << error.what();
  }
}

TEST_F(StoreFileTest, AFolderWithoutWritePermissionGivesAClearError) {
  test::WherePermissionsBind([this](const std::string& folder) {
    const std::string mine = folder + "/mine";
    UseConfigFolder(mine);
    const std::string settings = config_ + "/vorlix";
    std::filesystem::create_directories(settings);
    const auto expect_error = [&](const std::string& expected) {
      std::filesystem::permissions(
          settings, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
      TRegFile reg;
      try {
        reg.ReadValue("x");
        ADD_FAILURE() << "no error";
      } catch (const ERegFileError& error) {
        EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
      }
      std::filesystem::permissions(settings, std::filesystem::perms::owner_all);
    };
    expect_error("cannot create the settings store " + StorePath());

    // A good store, closed, in a folder that turned read-only: not damaged.
    TRegFile reg;
    reg.WriteValue("Kept", "x");
    UseConfigFolder(folder + "/elsewhere");
    reg.KeyExists("");  // closes the store in `mine`
    UseConfigFolder(mine);
    const std::string bytes = test::ReadFile(StorePath());
    expect_error("its folder " + settings + " cannot be written");
    EXPECT_TRUE(test::ReadFile(StorePath()) == bytes);
    EXPECT_EQ(reg.ReadValue("Kept"), Variant("x"));
  });
}

TEST_F(StoreFileTest, AReadOnlyStoreServesReadsAndDeniesWrites) {
  test::WherePermissionsBind([this](const std::string& folder) {
    const std::string mine = folder + "/mine";
    const std::string elsewhere = folder + "/elsewhere";
    std::filesystem::create_directories(mine);
    std::filesystem::create_directories(elsewhere);
    UseConfigFolder(mine);
    TRegFile reg;
    reg.WriteValue("Kept", "x");
    std::filesystem::permissions(StorePath(), std::filesystem::perms::owner_read);
    UseConfigFolder(elsewhere);
    reg.KeyExists("");  // closes the writable connection
    UseConfigFolder(mine);
    EXPECT_EQ(reg.ReadValue("Kept"), Variant("x"));
    try {
      reg.WriteValue("Kept", "y");
      ADD_FAILURE() << "no error";
    } catch (const ERegFileError& error) {
      EXPECT_STREQ(error.what(), "Reg Error: 00000005");
    }
    EXPECT_EQ(reg.ReadValue("Kept"), Variant("x"));
  });
}

TEST_F(StoreFileTest, AStoreRemovedWhileInUseStartsAfreshInsteadOfWritingIntoTheVoid) {
  TRegFile reg;
  reg.WriteValue("Before", 1);
  std::filesystem::remove(StorePath());
  EXPECT_EQ(reg.ReadValueDef("Before", 0), Variant(0));
  reg.WriteValue("After", 2);
  EXPECT_TRUE(test::PathExists(StorePath()));
  EXPECT_EQ(reg.ReadValue("After"), Variant(2));
}

TEST_F(StoreFileTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 150;
  TRegFile reg;
  reg.Key = "Software\\Tolvex\\Vorlix 5.0";
  reg.WriteValue("Parent", 0);  // the parent's connection is open across the forks
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      int failed = 0;
      try {
        TRegFile writer;
        writer.Key = "Software\\Tolvex\\Vorlix 5.0";
        for (int i = 0; i < kWrites; ++i) {
          writer.WriteValue("Child " + std::to_string(child) + " Value " + std::to_string(i), i);
          writer.WriteValue("Shared\\Last", child);
        }
      } catch (...) {
        failed = 1;
      }
      _exit(failed);
    }
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int child = 0; child < 2; ++child) {
    for (int i = 0; i < kWrites; ++i) {
      EXPECT_EQ(reg.ReadValue("Child " + std::to_string(child) + " Value " + std::to_string(i)), Variant(i));
    }
  }
  EXPECT_EQ(reg.ReadValue("Parent"), Variant(0));
}

TEST_F(StoreFileTest, AFailedOperationReleasesTheWriteLockAtOnce) {
  TRegFile reg;
  reg.Key = "Software\\Tolvex\\Vorlix 5.0";
  reg.WriteValue("Kept", 1);
  TRegFile dyn;
  dyn.RootKey = TRootKey::hkDynData;
  dyn.Key = "Missing";
  const std::function<void()> failures[] = {
      [&] { reg.DeleteValue("", "Missing"); },        // status 2
      [&] { reg.DeleteKey("Missing"); },              // status 2
      [&] { reg.WriteValue("Nothing", Variant()); },  // a kind that cannot be stored
      [&] { dyn.WriteValue("x", 1); },                // a key that cannot be created
      [&] {                                           // a store another program reshaped
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(StorePath().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "ALTER TABLE keys RENAME TO old_keys", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        reg.ReadValue("Kept");
      },
  };
  for (const auto& failure : failures) {
    EXPECT_THROW(failure(), ERegFileError);
    // Another process takes the write lock without waiting for it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      sqlite3* db = nullptr;
      const bool locked =
          sqlite3_open_v2(StorePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
          sqlite3_exec(db, "BEGIN IMMEDIATE; COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
      _exit(locked ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write lock was still held";
  }
}

}  // namespace
}  // namespace vorlix
