// SPDX-License-Identifier: MIT
// The store after a crash and after the user moves it away: a sound store is
// never refused, and no committed value is lost, whatever was left in the log.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "settings/reg_files.h"
#include "tests/settings/store_fixture.h"

namespace vorlix {
namespace {

constexpr const char* kKey = "Software\\Tolvex\\Vorlix 5.0";
constexpr int kValues = 40;

// Runs `body` in a child process that is then killed with SIGKILL, unless the
// body's own kill came first; expects the kill.
void InKilledChild(const std::function<void()>& body) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      body();
    } catch (...) {
      _exit(1);
    }
    raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child failed before its kill";
}

void WriteValues(const std::string& prefix) {
  TRegFile reg;
  reg.Key = kKey;
  for (int i = 0; i < kValues; ++i) reg.WriteValue(prefix + std::to_string(i), i);
}

// How many values named from `prefix` the store at `path` holds under kKey,
// counted over a connection of its own, opened as a new process opens it.
int ValuesIn(const std::string& path, const std::string& prefix) {
  platform::RegistryStore store(path);
  platform::RegistryKey key;
  if (store.OpenKey(platform::RegistryRoot::kCurrentUser, kKey, key) != platform::kOk) return 0;
  int found = 0;
  for (const platform::RegistryValue& value : store.Values(key))
    found += value.name.rfind(prefix, 0) == 0;
  return found;
}

// The write in progress when a checkpoint writes the store's first page: the
// SQLite file method that the killing write below stands in for.
int (*g_write)(sqlite3_file*, const void*, int, sqlite3_int64) = nullptr;

// Writes, then dies at once when the write was the store's first page.
int WriteThenDieAtPageOne(sqlite3_file* file, const void* data, int size, sqlite3_int64 offset) {
  const int rc = g_write(file, data, size, offset);
  if (offset == 0) raise(SIGKILL);
  return rc;
}

using StoreRecoveryTest = test::StoreTest;

TEST_F(StoreRecoveryTest, AKillWhileTheLogIsWrittenBackLeavesAStoreThatOpensWhole) {
  // A large transaction, then a checkpoint killed right after it wrote the
  // first page, whose page count then runs ahead of the file's length.
  InKilledChild([this] {
    WriteValues("Before ");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(StorePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) _exit(1);
    sqlite3_file* file = nullptr;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    static sqlite3_io_methods methods = *file->pMethods;
    g_write = methods.xWrite;
    methods.xWrite = WriteThenDieAtPageOne;
    file->pMethods = &methods;
    const std::string fill(400, 'x');
    std::string sql = "PRAGMA wal_autocheckpoint = 0; BEGIN;";
    for (int i = 0; i < 5000; ++i) {
      sql += "INSERT INTO key_values SELECT id, 'Bulk " + std::to_string(i) + "', 1, '" + fill +
             "' FROM keys WHERE name = 'Vorlix 5.0';";
    }
    sql += "COMMIT; PRAGMA wal_checkpoint(FULL);";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    _exit(1);  // the checkpoint never wrote the first page
  });
  EXPECT_EQ(ValuesIn(StorePath(), "Before "), kValues);
  EXPECT_EQ(ValuesIn(StorePath(), "Bulk "), 5000);
}

TEST_F(StoreRecoveryTest, MovingTheStoreAwayLosesNoCommittedValue) {
  const std::string folder = config_ + "/vorlix/";

  // Moved while this program has it open: the program writes its log back
  // into the moved file before it starts a new store.
  WriteValues("Open ");
  std::filesystem::rename(StorePath(), folder + "moved.db");
  TRegFile reg;
  reg.Key = kKey;
  EXPECT_EQ(reg.ReadValueDef("Open 1", "new store"), Variant("new store"));
  EXPECT_EQ(ValuesIn(folder + "moved.db", "Open "), kValues);

  // Moved away after a program was killed with its values still in the log:
  // the log is moved aside, named in the message, never deleted.
  std::filesystem::remove(StorePath());
  for (const char* log : {"-wal", "-shm"}) std::filesystem::remove(StorePath() + log);
  InKilledChild([] { WriteValues("Killed "); });
  std::filesystem::rename(StorePath(), folder + "saved.db");
  const std::string log = test::ReadFile(StorePath() + "-wal");
  ASSERT_FALSE(log.empty());
  std::string message;
  try {
    reg.ReadValue("Killed 1");
  } catch (const ERegFileError& error) {
    message = error.what();
  }
  const std::size_t at = message.find(StorePath() + "-wal.orphaned-");
  ASSERT_NE(at, std::string::npos) << message;
  const std::string aside = message.substr(at, message.find(". ", at) - at);
  EXPECT_EQ(test::ReadFile(aside), log);
  EXPECT_FALSE(test::PathExists(StorePath() + "-wal"));
  EXPECT_EQ(reg.ReadValueDef("Killed 1", "new store"), Variant("new store"));
  // Put back beside the moved store, the log gives back every value.
  std::filesystem::rename(aside, folder + "saved.db-wal");
  EXPECT_EQ(ValuesIn(folder + "saved.db", "Killed "), kValues);
}

}  // namespace
}  // namespace vorlix
