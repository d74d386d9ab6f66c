// SPDX-License-Identifier: MIT

#include "support/file_utils.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>

#include "platform/xdg.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::PathExists;
using test::ReadFile;
using test::WriteFile;

using FileUtilsTest = test::DriveDTest;

using RecycleFileTest = FileUtilsTest;

TEST_F(RecycleFileTest, RefusesFoldersMissingNamesAndUntrashableFiles) {
  std::filesystem::create_directory(root_ + "/folder");
  EXPECT_FALSE(RecycleFile("D:\\folder"));
  EXPECT_TRUE(PathExists(root_ + "/folder"));
  EXPECT_FALSE(RecycleFile("D:\\missing.tmp"));
  EXPECT_FALSE(RecycleFile("Y:\\missing.tmp"));

  // A trash folder that cannot be made: the file stays where it is.
  const std::string trash = platform::DataHome() + "/Trash";
  std::filesystem::remove_all(trash);
  WriteFile(trash, "not a folder");
  WriteFile(root_ + "/keep.tmp", "keep");
  EXPECT_FALSE(RecycleFile("D:\\keep.tmp"));
  EXPECT_EQ(ReadFile(root_ + "/keep.tmp"), "keep");
  std::filesystem::remove(trash);
}

using DuplicateFileTest = FileUtilsTest;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

void SetModified(const std::string& path, std::time_t seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(DuplicateFileTest, CopiesContentDateAndPermissions) {
  for (const std::size_t size : {0ul, 1ul, 4095ul, 4096ul, 4097ul, 100000ul}) {
    SCOPED_TRACE(size);
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + size);
    WriteFile(root_ + "/source", content);
    SetModified(root_ + "/source", 1700000001);  // odd seconds: kept to even seconds
    ASSERT_EQ(DuplicateFile("D:\\source", "D:\\copy"), kCopyComplete);
    EXPECT_EQ(ReadFile(root_ + "/copy"), content);
    EXPECT_EQ(StatOf(root_ + "/copy").st_mtim.tv_sec, 1700000000);
  }
  chmod((root_ + "/source").c_str(), 0444);
  ASSERT_EQ(DuplicateFile("D:\\source", "D:\\read-only copy"), kCopyComplete);
  EXPECT_EQ(StatOf(root_ + "/read-only copy").st_mode & 0777, 0444u);
  WriteFile(root_ + "/other", "other");
  EXPECT_EQ(DuplicateFile("D:\\other", "D:\\read-only copy"), kCopyDestinationNotCreated);
  EXPECT_EQ(ReadFile(root_ + "/read-only copy"), ReadFile(root_ + "/source"));
}

TEST_F(DuplicateFileTest, NeverCopiesAFileOntoItself) {
  WriteFile(root_ + "/self.txt", "precious");
  std::filesystem::create_hard_link(root_ + "/self.txt", root_ + "/hard");
  std::filesystem::create_symlink(root_ + "/self.txt", root_ + "/soft");
  for (const char* destination : {"D:\\self.txt", "d:\\SELF.TXT", "D:\\.\\x\\..\\self.txt", "D:\\hard", "D:\\soft"}) {
    SCOPED_TRACE(destination);
    EXPECT_EQ(DuplicateFile("D:\\self.txt", destination), kCopyDestinationNotCreated);
    EXPECT_EQ(ReadFile(root_ + "/self.txt"), "precious");
  }
}

TEST_F(DuplicateFileTest, ReportsEachFailureAndLeavesNoTrace) {
  WriteFile(root_ + "/source", "new");
  WriteFile(root_ + "/existing", "old");
  std::filesystem::create_directory(root_ + "/folder");
  EXPECT_EQ(DuplicateFile("D:\\missing", "D:\\existing"), kCopySourceUnreadable);
  EXPECT_EQ(DuplicateFile("D:\\folder", "D:\\existing"), kCopySourceUnreadable);
  EXPECT_EQ(DuplicateFile("Y:\\source", "D:\\existing"), kCopySourceUnreadable);
  EXPECT_EQ(DuplicateFile("D:\\source", "D:\\folder"), kCopyDestinationNotCreated);
  EXPECT_EQ(DuplicateFile("D:\\source", "D:\\no-such-folder\\copy"), kCopyDestinationNotCreated);
  EXPECT_EQ(ReadFile(root_ + "/existing"), "old");
  EXPECT_EQ(DuplicateFile("D:\\source", "D:\\existing"), kCopyComplete);
  EXPECT_EQ(ReadFile(root_ + "/existing"), "new");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_)) ++entries;
  EXPECT_EQ(entries, 3u);  // source, existing, folder: no temporary file left
}

TEST_F(DuplicateFileTest, OnlyRegularFilesAreCopiedAndNothingWaitsOnAPipe) {
  ASSERT_EQ(mkfifo((root_ + "/pipe").c_str(), 0644), 0);
  std::filesystem::create_symlink(root_ + "/pipe", root_ + "/link-to-pipe");
  for (const char* source : {"D:\\pipe", "D:\\link-to-pipe"}) {
    SCOPED_TRACE(source);
    auto copy = std::async(std::launch::async, [source] { return DuplicateFile(source, "D:\\copy"); });
    if (copy.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
      ADD_FAILURE() << "the copy waits on the pipe";
      close(open((root_ + "/pipe").c_str(), O_WRONLY | O_NONBLOCK));  // lets it go on
    }
    EXPECT_EQ(copy.get(), kCopySourceUnreadable);
    EXPECT_FALSE(PathExists(root_ + "/copy"));
  }
  // Nor does anything take the place of a pipe at the destination.
  WriteFile(root_ + "/source", "source");
  EXPECT_EQ(DuplicateFile("D:\\source", "D:\\pipe"), kCopyDestinationNotCreated);
  struct stat st {};
  ASSERT_EQ(lstat((root_ + "/pipe").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(DuplicateFileTest, AFullDiskLeavesTheEarlierFileIntact) {
  const std::string mount_point = test::MakeTempDir("small");
  if (system(("mount -t tmpfs -o size=64k tmpfs '" + mount_point + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
  }
  WriteFile(root_ + "/big", std::string(200000, 'b'));
  WriteFile(mount_point + "/target", "earlier");
  const unsigned code = DuplicateFile("D:\\big", test::OnC(mount_point + "/target"));
  const std::string left = ReadFile(mount_point + "/target");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(mount_point)) ++entries;
  system(("umount '" + mount_point + "'").c_str());
  EXPECT_EQ(code, kCopyWriteFailed);
  EXPECT_EQ(left, "earlier");
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace vorlix
