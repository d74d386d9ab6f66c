// The store file itself: damaged, foreign or unreachable files give a clear
// error and stay untouched; two processes writing at once lose nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "settings/reg_files.h"
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

  // Puts `bytes` where the store belongs and expects every operation to fail
  // naming the file, leaving it as it was.
  void ExpectRefused(const std::string& bytes, const std::string& reason) {
    std::filesystem::create_directories(config_ + "/vorlix");
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
  ExpectRefused("[HKEY_CURRENT_USER]\nsome text, not a database\n", "not an SQLite database");
  ExpectRefused(good.substr(0, 50), "truncated");
  ExpectRefused(good.substr(0, good.size() / 2), "truncated");
  ExpectRefused(good.substr(0, good.size() - 100), "truncated");

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
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  std::filesystem::create_directories(config_ + "/vorlix");
  std::filesystem::permissions(config_ + "/vorlix", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
  TRegFile reg;
  try {
    reg.ReadValue("x");
    ADD_FAILURE() << "no error";
  } catch (const ERegFileError& error) {
    EXPECT_NE(std::string(error.what()).find(StorePath()), std::string::npos) << error.what();
  }
}

TEST_F(StoreFileTest, AReadOnlyStoreServesReadsAndDeniesWrites) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const std::string mine = config_;
  TRegFile reg;
  reg.WriteValue("Kept", "x");
  std::filesystem::permissions(StorePath(), std::filesystem::perms::owner_read);
  UseConfigFolder(test::MakeTempDir("elsewhere"));
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

}  // namespace
}  // namespace vorlix
