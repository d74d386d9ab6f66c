// SPDX-License-Identifier: MIT

#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/drive_paths.h"
#include "platform/folder_entries.h"
#include "platform/status.h"
#include "tests/common/child_process.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

using test::PathExists;
using test::WriteFile;

using FileSystemTest = test::DriveDTest;

std::vector<std::string> Names(const std::string& pattern, std::uint32_t include) {
  std::vector<FoundEntry> found;
  EXPECT_EQ(FindFiles(pattern, include, found), kOk) << pattern;
  std::vector<std::string> names;
  for (const FoundEntry& entry : found) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(FileSystemTest, AttributesFollowNamesPermissionsAndLinks) {
  WriteFile(root_ + "/plain.txt", "x");
  WriteFile(root_ + "/.hidden", "x");
  WriteFile(root_ + "/locked", "x");
  chmod((root_ + "/locked").c_str(), 0444);
  std::filesystem::create_directory(root_ + "/folder");
  std::filesystem::create_directory_symlink(root_ + "/folder", root_ + "/folder-link");
  std::filesystem::create_symlink(root_ + "/locked", root_ + "/file-link");
  std::filesystem::create_symlink(root_ + "/gone", root_ + "/dangling");

  EXPECT_EQ(GetFileAttributes("D:\\PLAIN.TXT"), kAttrArchive);
  EXPECT_EQ(GetFileAttributes("D:\\.hidden"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(GetFileAttributes("D:\\locked"), kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(GetFileAttributes("D:\\folder"), kAttrDirectory);
  EXPECT_EQ(GetFileAttributes("D:\\folder-link"), kAttrDirectory);
  EXPECT_EQ(GetFileAttributes("D:\\file-link"), kAttrArchive);  // the link, not its read-only target
  EXPECT_EQ(GetFileAttributes("D:\\dangling"), kAttrArchive);
  EXPECT_EQ(GetFileAttributes("D:\\"), kAttrDirectory);
  EXPECT_FALSE(GetFileAttributes("D:\\missing"));
  EXPECT_FALSE(GetFileAttributes("Y:\\"));

  EXPECT_EQ(SetFileAttributes("D:\\locked", kAttrArchive), kOk);
  EXPECT_EQ(GetFileAttributes("D:\\locked"), kAttrArchive);
  struct stat st {};
  ASSERT_EQ(stat((root_ + "/locked").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);  // the owner alone gets write permission back
  EXPECT_EQ(SetFileAttributes("D:\\plain.txt", kAttrReadOnly), kOk);
  EXPECT_EQ(GetFileAttributes("D:\\plain.txt"), kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(SetFileAttributes("D:\\missing", kAttrReadOnly), kFileNotFound);
}

TEST_F(FileSystemTest, AReadLooksAtAnEntryWhoseKindTheFileSystemDoesNotReport) {
  WriteFile(root_ + "/file", "x");
  std::filesystem::create_directory(root_ + "/folder");
  ASSERT_EQ(mkfifo((root_ + "/pipe").c_str(), 0644), 0);
  const UniqueFd folder(open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  ASSERT_TRUE(folder.ok());
  EXPECT_EQ(ReadEntryKind(folder.get(), "file", DT_UNKNOWN), DT_REG);
  EXPECT_EQ(ReadEntryKind(folder.get(), "folder", DT_UNKNOWN), DT_DIR);
  EXPECT_EQ(ReadEntryKind(folder.get(), "pipe", DT_UNKNOWN), DT_UNKNOWN);
}

TEST_F(FileSystemTest, DeleteRemovesOnlyWhatItNames) {
  WriteFile(root_ + "/target.txt", "keep");
  std::filesystem::create_directory(root_ + "/folder");
  WriteFile(root_ + "/folder/inside.txt", "keep");
  std::filesystem::create_symlink(root_ + "/target.txt", root_ + "/link");
  std::filesystem::create_directory_symlink(root_ + "/folder", root_ + "/folder-link");
  WriteFile(root_ + "/locked", "x");
  chmod((root_ + "/locked").c_str(), 0444);

  EXPECT_EQ(DeleteFile("D:\\link"), kOk);
  EXPECT_FALSE(PathExists(root_ + "/link"));
  EXPECT_EQ(test::ReadFile(root_ + "/target.txt"), "keep");
  EXPECT_EQ(DeleteFile("D:\\folder-link"), kOk);
  EXPECT_EQ(test::ReadFile(root_ + "/folder/inside.txt"), "keep");
  EXPECT_EQ(DeleteFile("D:\\folder"), kAccessDenied);
  EXPECT_TRUE(PathExists(root_ + "/folder"));

  EXPECT_EQ(DeleteFile("D:\\locked"), kAccessDenied);  // read-only refuses, as on Windows
  EXPECT_TRUE(PathExists(root_ + "/locked"));
  ASSERT_EQ(SetFileAttributes("D:\\locked", 0), kOk);
  EXPECT_EQ(DeleteFile("D:\\LOCKED"), kOk);
  EXPECT_FALSE(PathExists(root_ + "/locked"));

  EXPECT_EQ(DeleteFile("D:\\locked"), kFileNotFound);
  EXPECT_EQ(DeleteFile("D:\\no-folder\\x"), kPathNotFound);  // a missing folder is a missing path
  EXPECT_EQ(DeleteFile("D:\\target.txt\\x"), kPathNotFound);
  // A drive's root is a folder, also the root of the whole host that has no folder above it.
  EXPECT_EQ(DeleteFile("C:\\"), kAccessDenied);
  EXPECT_EQ(DeleteFile("D:\\"), kAccessDenied);
}

TEST_F(FileSystemTest, AFolderThatMayBeSearchedButNotReadStillHasItsFilesChanged) {
  test::WherePermissionsBind([](const std::string& folder) {
    const test::OwnDriveLinks drives(folder + "/config");
    const std::string box = folder + "/box";
    ASSERT_EQ(mkdir(box.c_str(), 0700), 0);
    test::WriteFile(box + "/kept", "x");
    test::WriteFile(box + "/gone", "x");
    ASSERT_EQ(chmod(box.c_str(), 0300), 0);
    EXPECT_EQ(SetFileAttributes(test::OnC(box + "/kept"), kAttrReadOnly), kOk);
    EXPECT_EQ(DeleteFile(test::OnC(box + "/gone")), kOk);
    chmod(box.c_str(), 0700);
    EXPECT_FALSE(test::PathExists(box + "/gone"));
    EXPECT_EQ(GetFileAttributes(test::OnC(box + "/kept")), kAttrArchive | kAttrReadOnly);
  });
}

TEST_F(FileSystemTest, StatusCodesSayWhatHappened) {
  // A missing name in a folder that exists is a missing file; in a folder
  // that is missing too, a missing path.
  EXPECT_EQ(SetFileAttributes("D:\\no-folder\\x", 0), kPathNotFound);
  EXPECT_EQ(SetCurrentDir("D:\\no-folder"), kFileNotFound);
  EXPECT_EQ(SetCurrentDir("D:\\no-folder\\x"), kPathNotFound);
  // A failing device is not a refusal, and an error without a Windows code
  // keeps the system's own text.
  EXPECT_EQ(StatusFromErrno(EIO), kIoDevice);
  EXPECT_EQ(SystemErrorText(StatusFromErrno(EOPNOTSUPP)), std::strerror(EOPNOTSUPP));
  EXPECT_NE(StatusFromErrno(EOPNOTSUPP), kAccessDenied);
  EXPECT_EQ(SystemErrorText(kAccessDenied), "");
}

TEST_F(FileSystemTest, SearchUsesWindowsPatternsAndAttributeFilters) {
  for (const char* name : {"index.dat", "README", "a.b.c", ".hidden", "Data.TXT", "x"})
    WriteFile(root_ + "/" + name, "");
  std::filesystem::create_directory(root_ + "/A1B2C3D4");
  std::filesystem::create_directory(root_ + "/dotted.dir");
  std::filesystem::create_directory(root_ + "/.config");
  const std::uint32_t everything = kAttrHidden | kAttrSystem | kAttrDirectory | kAttrReadOnly | kAttrArchive;

  EXPECT_EQ(Names("D:\\*.*", 0), (std::vector<std::string>{"Data.TXT", "README", "a.b.c", "index.dat", "x"}));
  EXPECT_EQ(Names("D:\\*.*", everything),
            (std::vector<std::string>{".config", ".hidden", "A1B2C3D4", "Data.TXT", "README", "a.b.c", "dotted.dir",
                                      "index.dat", "x"}));
  EXPECT_EQ(Names("D:\\*.", everything), (std::vector<std::string>{"A1B2C3D4", "README", "x"}));
  EXPECT_EQ(Names("D:\\*.", kAttrDirectory), (std::vector<std::string>{"A1B2C3D4", "README", "x"}));
  EXPECT_EQ(Names("d:\\*.txt", 0), std::vector<std::string>{"Data.TXT"});
  EXPECT_EQ(Names("D:\\readme.*", 0), std::vector<std::string>{"README"});
  EXPECT_EQ(Names("D:\\?.*", 0), (std::vector<std::string>{"a.b.c", "x"}));
  EXPECT_EQ(Names("D:\\*", kAttrDirectory), (std::vector<std::string>{"A1B2C3D4", "Data.TXT", "README", "a.b.c",
                                                                       "dotted.dir", "index.dat", "x"}));

  std::vector<FoundEntry> found;
  EXPECT_EQ(FindFiles("D:\\missing\\*.*", everything, found), kPathNotFound);
  EXPECT_TRUE(found.empty());
}

TEST(PatternTest, MatchesAsWindowsDoes) {
  EXPECT_TRUE(MatchesPattern("anything", "*.*"));
  EXPECT_TRUE(MatchesPattern("a.b", "*.*"));
  EXPECT_TRUE(MatchesPattern("noext", "*."));
  EXPECT_FALSE(MatchesPattern("has.ext", "*."));
  EXPECT_TRUE(MatchesPattern("CACHE1", "cache?"));
  EXPECT_FALSE(MatchesPattern("cache", "cache?"));
  EXPECT_TRUE(MatchesPattern("a*b", "a*b"));
  EXPECT_TRUE(MatchesPattern("abcbcd", "a*bcd"));
  EXPECT_FALSE(MatchesPattern("abcbce", "a*bcd"));
  EXPECT_TRUE(MatchesPattern("", "*"));
  EXPECT_FALSE(MatchesPattern("\xc3\x89", "\xc3\xa9"));  // only ASCII folds
}

}  // namespace
}  // namespace vorlix::platform
