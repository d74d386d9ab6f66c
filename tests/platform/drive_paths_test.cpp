// SPDX-License-Identifier: MIT

#include "platform/drive_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "platform/status.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

using test::MakeTempDir;
using test::MapDrive;

class DrivePathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDrives();
    d_root_ = std::filesystem::canonical(MakeTempDir("drive-d")).string();
    MapDrive('d', d_root_);
    std::filesystem::create_directories(d_root_ + "/Program Files/Cache.IE5");
    test::WriteFile(d_root_ + "/Program Files/ReadMe.TXT", "x");
  }
  std::string d_root_;
};

TEST_F(DrivePathsTest, FirstStartMapsOnlyDriveCToTheRoot) {
  const std::string dir = DosDevicesDir();
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(EnsureDefaultDrives());
  EXPECT_EQ(std::filesystem::read_symlink(dir + "/c:"), "/");
  EXPECT_EQ(MappedDrives(), std::vector<char>{'c'});
  EXPECT_EQ(DriveRoot('C'), "/");
  // A second start keeps what the user set up.
  MapDrive('e', d_root_);
  ASSERT_TRUE(EnsureDefaultDrives());
  EXPECT_EQ(MappedDrives(), (std::vector<char>{'c', 'e'}));
}

TEST_F(DrivePathsTest, DriveTableFollowsTheLinksAsTheyChange) {
  EXPECT_EQ(MappedDrives(), (std::vector<char>{'c', 'd'}));
  EXPECT_EQ(DriveRoot('D'), d_root_);
  MapDrive('q', d_root_ + "/missing");  // dangling: not a drive
  MapDrive('p', d_root_ + "/Program Files/ReadMe.TXT");  // a file: not a drive
  ASSERT_EQ(symlink("/", (DosDevicesDir() + "/com1").c_str()), 0);  // not a drive name
  EXPECT_EQ(MappedDrives(), (std::vector<char>{'c', 'd'}));
  MapDrive('d', d_root_ + "/Program Files");
  EXPECT_EQ(DriveRoot('d'), d_root_ + "/Program Files");
  ASSERT_EQ(unlink((DosDevicesDir() + "/d:").c_str()), 0);
  EXPECT_FALSE(DriveRoot('d'));
  EXPECT_FALSE(Resolve("D:\\x"));
}

TEST_F(DrivePathsTest, TranslatesEveryFormOfPath) {
  ASSERT_EQ(SetCurrentDir("D:\\Program Files"), kOk);
  ASSERT_EQ(SetCurrentDir("C:\\usr"), kOk);
  const struct {
    const char* dos;
    const char* full;
  } cases[] = {
      {"D:\\Program Files\\ReadMe.TXT", "D:\\Program Files\\ReadMe.TXT"},
      {"d:readme.txt", "D:\\Program Files\\ReadMe.TXT"},         // drive d's own current directory
      {"D:", "D:\\Program Files"},
      {"d:\\\\program files\\\\\\cache.ie5\\", "D:\\Program Files\\Cache.IE5"},  // repeated separators
      {"D:/Program Files/./Cache.IE5/../ReadMe.TXT", "D:\\Program Files\\ReadMe.TXT"},
      {"D:\\..\\..\\..", "D:\\"},                                 // clamped at the root
      {"D:..\\..\\Program Files", "D:\\Program Files"},
      {"\\etc", "C:\\etc"},                                        // current drive's root
      {"bin", "C:\\usr\\bin"},                                     // current directory
      {"", "C:\\usr"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dos);
    const std::optional<ResolvedPath> resolved = Resolve(c.dos);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->dos, c.full);
  }
  EXPECT_EQ(Resolve("D:\\PROGRAM FILES\\readme.txt")->host, d_root_ + "/Program Files/ReadMe.TXT");
  EXPECT_EQ(Resolve("d:\\")->host, d_root_);
  EXPECT_EQ(Resolve("C:\\")->host, "/");
}

TEST_F(DrivePathsTest, CaseOfMissingNamesIsKeptAndExactNamesWin) {
  std::filesystem::create_directories(d_root_ + "/Mixed");
  std::filesystem::create_directories(d_root_ + "/mixed");
  EXPECT_EQ(Resolve("D:\\mixed")->host, d_root_ + "/mixed");
  EXPECT_EQ(Resolve("D:\\Mixed")->host, d_root_ + "/Mixed");
  EXPECT_EQ(Resolve("D:\\MIXED")->dos, "D:\\Mixed");  // several candidates: the first in byte order
  // A name that exists in no case stays as written, and so does all below it.
  const ResolvedPath missing = *Resolve("d:\\program files\\New Folder\\Sub");
  EXPECT_EQ(missing.dos, "D:\\Program Files\\New Folder\\Sub");
  EXPECT_EQ(missing.host, d_root_ + "/Program Files/New Folder/Sub");
  // Only ASCII letters fold: other bytes must match exactly.
  std::filesystem::create_directories(d_root_ + "/\xc3\x89t\xc3\xa9");
  EXPECT_EQ(Resolve("D:\\\xc3\x89T\xc3\xa9")->host, d_root_ + "/\xc3\x89t\xc3\xa9");
  EXPECT_EQ(Resolve("D:\\\xc3\xa9t\xc3\xa9")->host, d_root_ + "/\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(FullPathName("d:\\program files\\.\\X"), "D:\\program files\\X");
}

TEST_F(DrivePathsTest, CurrentDirectoryPerDriveAndForTheProcess) {
  EXPECT_EQ(GetDriveCurrentDir('d'), "D:\\");
  ASSERT_EQ(SetCurrentDir("d:\\program files\\cache.ie5"), kOk);
  EXPECT_EQ(GetCurrentDir(), "D:\\Program Files\\Cache.IE5");  // on-disk case, upper-case drive
  EXPECT_EQ(std::filesystem::current_path(), d_root_ + "/Program Files/Cache.IE5");
  ASSERT_EQ(SetCurrentDir("c:\\tmp"), kOk);
  EXPECT_EQ(GetCurrentDir(), "C:\\tmp");
  EXPECT_EQ(GetDriveCurrentDir('D'), "D:\\Program Files\\Cache.IE5");
  ASSERT_EQ(SetCurrentDir("D:"), kOk);  // back to drive d's own directory
  EXPECT_EQ(GetCurrentDir(), "D:\\Program Files\\Cache.IE5");
  ASSERT_EQ(SetCurrentDir(".."), kOk);
  EXPECT_EQ(GetCurrentDir(), "D:\\Program Files");
  EXPECT_EQ(std::filesystem::current_path(), d_root_ + "/Program Files");

  EXPECT_EQ(SetCurrentDir("D:\\nowhere"), kFileNotFound);
  EXPECT_EQ(SetCurrentDir("D:\\Program Files\\ReadMe.TXT"), kDirectoryInvalid);
  EXPECT_EQ(SetCurrentDir("X:\\"), kInvalidDrive);
  EXPECT_EQ(GetCurrentDir(), "D:\\Program Files");  // failures change nothing
}

TEST_F(DrivePathsTest, StartsFromTheProcessDirectory) {
  ASSERT_EQ(chdir((d_root_ + "/Program Files").c_str()), 0);
  test::FreshDriveState();
  EXPECT_EQ(GetCurrentDir(), "D:\\Program Files");  // the longest matching drive root wins over c:
  EXPECT_EQ(HostToDos("/usr/bin"), "C:\\usr\\bin");
  EXPECT_EQ(HostToDos(d_root_), "D:\\");
  EXPECT_FALSE(HostToDos(d_root_ + "/back\\slash"));
  EXPECT_FALSE(HostToDos("relative"));
}

// However a path is built, it never translates outside its drive's folder.
TEST_F(DrivePathsTest, GeneratedPathsStayInsideTheirDrive) {
  ASSERT_EQ(SetCurrentDir("D:\\Program Files\\Cache.IE5"), kOk);
  const std::string alphabet[] = {"\\", "/", ".", "..", ":", "a", "B", "d:", "D:", std::string(1, '\0'),
                                  " ",  "\xff", "*", "?", "\xc3\xa9", "Program Files", "cache.ie5", "\t", "~"};
  const std::string prefixes[] = {"", "d:", "D:\\", "\\", "d:..", "D:\\..\\"};
  std::mt19937 random(20261207);
  for (int round = 0; round < 20000; ++round) {
    std::string path = prefixes[random() % std::size(prefixes)];
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) path += alphabet[random() % std::size(alphabet)];
    const std::optional<ResolvedPath> resolved = Resolve(path);
    if (!resolved) {  // only a path on an unmapped drive has no translation
      ASSERT_TRUE(path.size() >= 2 && path[1] == ':' && std::string("cCdD").find(path[0]) == std::string::npos)
          << path;
      continue;
    }
    if (resolved->drive != 'D') continue;
    const std::string& host = resolved->host;
    ASSERT_TRUE(host == d_root_ || host.rfind(d_root_ + "/", 0) == 0) << path << " -> " << host;
    for (const auto& part : std::filesystem::path(host.substr(d_root_.size()))) {
      ASSERT_NE(part, "..") << path << " -> " << host;
      ASSERT_NE(part, ".") << path << " -> " << host;
    }
    ASSERT_EQ(host.find('\0'), std::string::npos);
    ASSERT_EQ(resolved->dos.find('/'), std::string::npos);
  }
}

}  // namespace
}  // namespace vorlix::platform
