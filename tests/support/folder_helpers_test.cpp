// SPDX-License-Identifier: MIT

#include "support/folder_helpers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/drive_paths.h"
#include "platform/status.h"
#include "support/in_out_error.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

class FolderCanBeEnteredTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDrives();
    d_root_ = std::filesystem::canonical(test::MakeTempDir("drive-d")).string();
    test::MapDrive('d', d_root_);
    std::filesystem::create_directories(d_root_ + "/Cache/Content");
    test::WriteFile(d_root_ + "/file.txt", "x");
    ChDir("D:\\Cache");
    ChDir(test::OnC(test::TestRoot()));
  }
  // Both drives' current directories, which no call may change.
  std::pair<std::string, std::string> Dirs() const {
    return {platform::GetCurrentDir(), platform::GetDriveCurrentDir('d')};
  }
  std::string d_root_;
};

TEST_F(FolderCanBeEnteredTest, AnswersWithoutMovingAnyCurrentDirectory) {
  const auto before = Dirs();
  const std::string process_dir = std::filesystem::current_path();
  const struct {
    std::string path;
    bool expected;
  } cases[] = {
      {"", false},
      {"C:\\", true},
      {"C:", true},
      {"D:\\", true},
      {"d:\\cache\\content", true},              // another drive, letters in any case
      {"D:content", true},                       // relative to drive d's own directory
      {"D:\\Cache\\", false},                    // trailing backslash on more than a drive
      {"D:\\file.txt", false},                   // a file is no folder
      {"D:\\missing", false},
      {"Z:\\", false},                           // drive not mapped
      {"Z:", false},
      {test::OnC(test::TestRoot()), true},
      {"c" + test::OnC(test::TestRoot()).substr(1), true},  // same drive, other letter case
      {"\\", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderCanBeEntered(c.path), c.expected);
    EXPECT_EQ(Dirs(), before);
    EXPECT_EQ(std::filesystem::current_path(), process_dir);
  }
}

TEST_F(FolderCanBeEnteredTest, VanishedFoldersAreReportedOrRefused) {
  // The current directory itself vanished: changing back to it raises.
  const std::string gone = test::MakeTempDir("gone");
  ChDir(test::OnC(gone));
  std::filesystem::remove_all(gone);
  EXPECT_THROW(FolderCanBeEntered("C:\\"), EInOutError);
  ChDir(test::OnC(test::TestRoot()));

  // Another drive whose remembered directory vanished cannot be entered.
  ChDir("D:\\Cache\\Content");
  ChDir(test::OnC(test::TestRoot()));
  std::filesystem::remove_all(d_root_ + "/Cache/Content");
  const auto before = Dirs();
  EXPECT_FALSE(FolderCanBeEntered("D:\\Cache"));
  EXPECT_EQ(Dirs(), before);

  try {
    ChDir("D:\\Cache\\Content");
    FAIL() << "entering a removed folder must raise";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 2);
    EXPECT_NE(std::string(error.what()).find("D:\\Cache\\Content"), std::string::npos);
  }
  // A failing device or a system error is told as what it is, never as a refusal.
  const std::string io = EInOutError(platform::StatusFromErrno(EIO), "D:\\x").what();
  EXPECT_NE(io.find("input/output error"), std::string::npos) << io;
  const std::string other = EInOutError(platform::StatusFromErrno(ESTALE), "D:\\x").what();
  EXPECT_NE(other.find(std::strerror(ESTALE)), std::string::npos) << other;
}

TEST(FolderPartOfTest, CutsAtTheLastDelimiter) {
  EXPECT_EQ(FolderPartOf(""), "");
  EXPECT_EQ(FolderPartOf("temp"), "");
  EXPECT_EQ(FolderPartOf("\\temp"), "\\");
  EXPECT_EQ(FolderPartOf("C:\\temp"), "C:\\");
  EXPECT_EQ(FolderPartOf("C:\\a\\b"), "C:\\a");
  EXPECT_EQ(FolderPartOf("C:temp"), "C:");
  EXPECT_EQ(FolderPartOf("C:\\a\\"), "C:\\a");
  EXPECT_EQ(FolderPartOf(std::string("a\0b", 3)), std::string("a\0", 2));
  EXPECT_EQ(FolderPartOf("c:\\windows\\Temporary Internet Files\\Content.IE5\\cache1"),
            "c:\\windows\\Temporary Internet Files\\Content.IE5");
}

}  // namespace
}  // namespace vorlix
