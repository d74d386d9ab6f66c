// SPDX-License-Identifier: MIT

#include "platform/trash.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/unique_fd.h"
#include "platform/xdg.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

using test::PathExists;
using test::ReadFile;
using test::WriteFile;

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    pclose(pipe);
  }
  return output;
}

UniqueFd OpenFolder(const std::string& path) { return UniqueFd(open(path.c_str(), O_RDONLY | O_DIRECTORY)); }

std::size_t EntriesIn(const std::string& folder) {
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++entries;
  return entries;
}

// Files of a folder on the home folder's file system, which go to the home trash.
class HomeTrashTest : public test::DriveDTest {
 protected:
  void SetUp() override {
    DriveDTest::SetUp();
    std::filesystem::remove_all(trash_);
  }
  // Moves the entry `name` of root_ into the trash.
  bool Trash(const std::string& name) {
    const UniqueFd folder = OpenFolder(root_);
    return MoveToTrash(folder.get(), name, root_ + "/" + name);
  }
  const std::string trash_ = DataHome() + "/Trash";
};

TEST_F(HomeTrashTest, TrashedFilesCanBeListedAndRestored) {
  if (!Shell("command -v trash-list && command -v trash-restore")) GTEST_SKIP() << "trash-cli is not installed";
  const std::string name = "cache entry \xc3\xa9 100%.tmp";
  WriteFile(root_ + "/" + name, "cached");
  ASSERT_TRUE(Trash(name));
  EXPECT_FALSE(PathExists(root_ + "/" + name));
  EXPECT_EQ(ReadFile(trash_ + "/files/" + name), "cached");
  const std::string info = ReadFile(trash_ + "/info/" + name + ".trashinfo");
  EXPECT_NE(info.find("Path=" + root_ + "/cache%20entry%20%C3%A9%20100%25.tmp"), std::string::npos) << info;

  EXPECT_NE(Output("trash-list").find(root_ + "/" + name), std::string::npos);
  Output("echo 0 | trash-restore '" + root_ + "' >/dev/null");
  EXPECT_EQ(ReadFile(root_ + "/" + name), "cached");
}

TEST_F(HomeTrashTest, ALinkGoesToTheTrashWithoutItsTarget) {
  WriteFile(root_ + "/target", "target");
  std::filesystem::create_symlink(root_ + "/target", root_ + "/link");
  ASSERT_TRUE(Trash("link"));
  EXPECT_FALSE(PathExists(root_ + "/link"));
  EXPECT_TRUE(std::filesystem::is_symlink(trash_ + "/files/link"));
  EXPECT_EQ(ReadFile(root_ + "/target"), "target");
}

TEST_F(HomeTrashTest, NothingInTheTrashIsReplacedAndAFailedMoveLeavesNoRecord) {
  // An earlier file in files/ whose record is gone: the first name is taken
  // by it, so that move fails and its new record must go again.
  std::filesystem::create_directories(trash_ + "/files");
  WriteFile(trash_ + "/files/same.tar.gz", "orphan");
  for (const char* content : {"first", "second"}) {
    WriteFile(root_ + "/same.tar.gz", content);
    ASSERT_TRUE(Trash("same.tar.gz"));
  }
  EXPECT_EQ(ReadFile(trash_ + "/files/same.tar.gz"), "orphan");
  EXPECT_FALSE(PathExists(trash_ + "/info/same.tar.gz.trashinfo"));
  EXPECT_EQ(ReadFile(trash_ + "/files/same.2.tar.gz"), "first");
  EXPECT_EQ(ReadFile(trash_ + "/files/same.3.tar.gz"), "second");
  EXPECT_NE(ReadFile(trash_ + "/info/same.3.tar.gz.trashinfo").find("Path=" + root_ + "/same.tar.gz\n"),
            std::string::npos);
}

TEST_F(HomeTrashTest, LongPathsHaveNoLimit) {
  std::string folder = root_;
  for (int i = 0; i < 12; ++i) folder += "/" + std::string(40, static_cast<char>('a' + i));
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/deep.tmp", "deep");
  ASSERT_GT(folder.size(), 300u);
  const UniqueFd opened = OpenFolder(folder);
  EXPECT_TRUE(MoveToTrash(opened.get(), "deep.tmp", folder + "/deep.tmp"));
  EXPECT_FALSE(PathExists(folder + "/deep.tmp"));
}

TEST_F(HomeTrashTest, NamesTooLongForTheirRecordAreShortenedInTheTrashAndKeptWholeInIt) {
  // 255 bytes each, alike in their first 250; one cut would split an "é".
  const std::string stem(237, 'x');
  const std::vector<std::string> names = {stem + "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9" + "1.tar.gz",
                                          stem + "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9" + "2.tar.gz",
                                          std::string(255, 'y')};
  for (const std::string& name : names) {
    ASSERT_EQ(name.size(), 255u);
    WriteFile(root_ + "/" + name, name);
    ASSERT_TRUE(Trash(name));
    EXPECT_FALSE(PathExists(root_ + "/" + name));
  }
  std::size_t found = 0;
  for (const auto& entry : std::filesystem::directory_iterator(trash_ + "/files")) {
    const std::string trashed = entry.path().filename().string();
    SCOPED_TRACE(trashed);
    EXPECT_LE(trashed.size() + 10, 255u);
    EXPECT_TRUE(g_utf8_validate(trashed.data(), static_cast<gssize>(trashed.size()), nullptr));
    const std::string content = ReadFile(entry.path().string());
    const std::string record = ReadFile(trash_ + "/info/" + trashed + ".trashinfo");
    char* escaped = g_uri_escape_string((root_ + "/" + content).c_str(), "/", FALSE);
    EXPECT_NE(record.find(std::string("Path=") + escaped + "\n"), std::string::npos) << record;
    g_free(escaped);
    EXPECT_EQ(trashed.ends_with(".tar.gz"), content != names[2]);
    ++found;
  }
  EXPECT_EQ(found, names.size());
}

TEST_F(HomeTrashTest, AnUnusableTrashFolderIsReportedWithTheReasonAndTheFileStays) {
  const std::string elsewhere = test::MakeTempDir("elsewhere");
  enum Kind { kFile, kLink, kOthers, kImmutable };
  struct Case {
    Kind kind;
    std::string unusable;
    int error;
  };
  const Case cases[] = {{kFile, trash_, ENOTDIR},
                        {kLink, trash_ + "/info", ENOTDIR},
                        {kOthers, trash_ + "/files", EPERM},
                        {kImmutable, trash_ + "/files", EPERM}};
  WriteFile(root_ + "/kept.tmp", "kept");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unusable);
    std::filesystem::remove_all(trash_);
    if (c.kind == kFile) {
      WriteFile(trash_, "not a folder");
    } else if (c.kind == kLink) {
      std::filesystem::create_directories(trash_);
      std::filesystem::create_directory_symlink(elsewhere, c.unusable);
    } else if (c.kind == kOthers) {
      std::filesystem::create_directories(c.unusable);
      if (chown(c.unusable.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "giving a folder away needs privileges";
    } else {
      std::filesystem::create_directories(c.unusable);
      if (!Shell("chattr +i '" + c.unusable + "'")) GTEST_SKIP() << "an immutable folder needs privileges";
    }
    const UniqueFd folder = OpenFolder(root_);
    FolderTrash trash(folder.get());
    EXPECT_EQ(trash.Move("kept.tmp", root_ + "/kept.tmp"), TrashResult::kTrashUnusable);
    EXPECT_EQ(trash.Problem().folder, c.unusable);
    EXPECT_EQ(trash.Problem().error, c.error);
    EXPECT_EQ(ReadFile(root_ + "/kept.tmp"), "kept");
    EXPECT_EQ(EntriesIn(elsewhere), 0u);
    if (c.kind == kImmutable) Shell("chattr -i '" + c.unusable + "'");
  }
  std::filesystem::remove_all(trash_);
}

// A folder on a file system of its own (a loop-mounted ext4, which needs
// root), whose trash lies at that file system's top.
class TopTrashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string image = test::MakeTempDir("image") + "/volume.ext4";
    const std::string top = test::MakeTempDir("volume");
    if (geteuid() != 0 || !Shell("truncate -s 8M '" + image + "' && mkfs.ext4 -q -F '" + image + "'") ||
        !Shell("mount -o loop '" + image + "' '" + top + "'")) {
      GTEST_SKIP() << "mounting a file system of its own needs root and mkfs.ext4";
    }
    top_ = top;
    std::filesystem::create_directories(top_ + "/cache");
    WriteFile(top_ + "/cache/entry.tmp", "entry");
  }
  void TearDown() override {
    if (!top_.empty()) Shell("umount '" + top_ + "'");
  }

  TrashResult TrashEntry(FolderTrash& trash) { return trash.Move("entry.tmp", top_ + "/cache/entry.tmp"); }
  TrashResult TrashEntry() {
    const UniqueFd folder = OpenFolder(top_ + "/cache");
    FolderTrash trash(folder.get());
    return TrashEntry(trash);
  }

  std::string top_;
  const std::string uid_ = std::to_string(geteuid());
};

TEST_F(TopTrashTest, TheRecordNamesThePathBelowTheTopAndTheHomeTrashStaysEmpty) {
  ASSERT_EQ(TrashEntry(), TrashResult::kMoved);
  const std::string trash = top_ + "/.Trash-" + uid_;
  EXPECT_EQ(ReadFile(trash + "/files/entry.tmp"), "entry");
  EXPECT_NE(ReadFile(trash + "/info/entry.tmp.trashinfo").find("\nPath=cache/entry.tmp\n"), std::string::npos);
  EXPECT_FALSE(PathExists(DataHome() + "/Trash/files/entry.tmp"));
}

TEST_F(TopTrashTest, ASharedTrashServesOnlyWhenItIsSticky) {
  const std::string shared = top_ + "/.Trash";
  std::filesystem::create_directory(shared);
  ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
  ASSERT_EQ(TrashEntry(), TrashResult::kMoved);
  EXPECT_FALSE(PathExists(shared + "/" + uid_));
  EXPECT_EQ(ReadFile(top_ + "/.Trash-" + uid_ + "/files/entry.tmp"), "entry");

  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  WriteFile(top_ + "/cache/entry.tmp", "second");
  ASSERT_EQ(TrashEntry(), TrashResult::kMoved);
  EXPECT_EQ(ReadFile(shared + "/" + uid_ + "/files/entry.tmp"), "second");
  EXPECT_NE(ReadFile(shared + "/" + uid_ + "/info/entry.tmp.trashinfo").find("\nPath=cache/entry.tmp\n"),
            std::string::npos);
}

TEST_F(TopTrashTest, AnUnusableTrashFolderIsToldApartFromAFileSystemWithoutTrash) {
  const std::string own = top_ + "/.Trash-" + uid_;
  const std::string elsewhere = test::MakeTempDir("elsewhere");
  std::filesystem::create_directory_symlink(elsewhere, own);
  {
    const UniqueFd folder = OpenFolder(top_ + "/cache");
    FolderTrash trash(folder.get());
    EXPECT_EQ(TrashEntry(trash), TrashResult::kTrashUnusable);
    EXPECT_EQ(trash.Problem().folder, own);
    EXPECT_EQ(trash.Problem().error, ENOTDIR);
  }
  std::filesystem::remove(own);
  std::filesystem::create_directory(own);
  ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
  {
    const UniqueFd folder = OpenFolder(top_ + "/cache");
    FolderTrash trash(folder.get());
    EXPECT_EQ(TrashEntry(trash), TrashResult::kTrashUnusable);
    EXPECT_EQ(trash.Problem().folder, own);
    EXPECT_EQ(trash.Problem().error, EPERM);
  }
  EXPECT_EQ(ReadFile(top_ + "/cache/entry.tmp"), "entry");
  EXPECT_EQ(EntriesIn(elsewhere), 0u);
  EXPECT_EQ(EntriesIn(own), 0u);

  // The system's own mounts have no trash at all: no problem to tell of.
  const std::string system_mount = test::MakeTempDir("tmpfs");
  ASSERT_TRUE(Shell("mount -t tmpfs -o size=1m tmpfs '" + system_mount + "'"));
  WriteFile(system_mount + "/entry.tmp", "entry");
  TrashResult result = TrashResult::kMoved;
  int error = -1;
  {
    const UniqueFd folder = OpenFolder(system_mount);
    FolderTrash trash(folder.get());
    result = trash.Move("entry.tmp", system_mount + "/entry.tmp");
    error = trash.Problem().error;
  }
  const std::string left = ReadFile(system_mount + "/entry.tmp");
  Shell("umount '" + system_mount + "'");
  EXPECT_EQ(result, TrashResult::kNoTrash);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(left, "entry");
}

}  // namespace
}  // namespace vorlix::platform
