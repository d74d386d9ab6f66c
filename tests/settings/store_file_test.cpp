// SPDX-License-Identifier: MIT
// The store file itself: damaged, foreign or unreachable files give a clear
// error and stay untouched; two processes writing at once lose nothing.
#include <gtest/gtest.h>
#include <grp.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "settings/reg_files.h"
#include "tests/common/child_process.h"
#include "tests/settings/store_fixture.h"

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

  // Puts `bytes` where the store belongs, as a new file without log files, and
  // expects every operation to fail naming the file, leaving it as it was.
  void ExpectRefused(const std::string& bytes, const std::string& reason) {
    std::filesystem::create_directories(config_ + "/vorlix");
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(StorePath() + suffix);
    test::WriteFile(StorePath(), bytes);
    TRegFile reg;
    reg.Key = "Software\\Tolvex\\Vorlix 5.0";
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        reg.WriteValue("Value 1", "new");
        ADD_FAILURE() << "no error for " << reason;
      } catch (const ERegFileError& error) {
        EXPECT_NE(std::string(error.what()).find(StorePath()), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        // The advice to move the store away names the log files that go with it.
        EXPECT_NE(std::string(error.what()).find(StorePath() + "-wal"), std::string::npos)
            << error.what();
      }
      EXPECT_THROW(reg.KeyExists(""), ERegFileError);
    }
    EXPECT_TRUE(test::ReadFile(StorePath()) == bytes) << "the file was changed: " << reason;
  }
};

TEST_F(StoreFileTest, FilesThatAreNotAWholeStoreAreRefusedAndLeftAlone) {
  const std::string good = GoodStoreBytes();
  ASSERT_GT(good.size(), 8192u);
  ExpectRefused("", "empty");
  ExpectRefused("[HKEY_CURRENT_USER]\nsome text, not a database\n", "not a database");
  ExpectRefused(good.substr(0, 50), "not a Vorlix settings database");
  ExpectRefused(good.substr(0, good.size() / 2), "malformed");
  ExpectRefused(good.substr(0, good.size() - 4096), "malformed");

  // Pages after the first overwritten with noise.
  std::string damaged = good;
  for (std::size_t i = 4096; i < damaged.size(); ++i) damaged[i] = static_cast<char>(i * 7919 % 251);
  ExpectRefused(damaged, "damaged");
}

TEST_F(StoreFileTest, AnotherProgramsDatabaseIsRefused) {
  std::string foreign = GoodStoreBytes();
  foreign[68] = 0x12;  // another application id
  ExpectRefused(foreign, "not a Vorlix settings database");
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
