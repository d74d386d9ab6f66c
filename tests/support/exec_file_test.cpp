// SPDX-License-Identifier: MIT

#include "support/exec_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/drives.h"
#include "tests/common/recording_opener.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using Texts = std::vector<std::string>;

class ExecFileTest : public test::DriveDTest {
 protected:
  void SetUp() override {
    DriveDTest::SetUp();
    exec_.Operation = "open";
  }

  // The message of the EExecFileError that Execute raises; empty when none.
  std::string FailureOf() {
    try {
      exec_.Execute();
    } catch (const EExecFileError& error) {
      return error.what();
    }
    return {};
  }

  test::RecordingOpener opener_;
  TExecFile exec_;
};

TEST_F(ExecFileTest, FilePathEndsInADelimiter) {
  for (const auto& [given, stored] :
       std::vector<std::pair<std::string, std::string>>{{"C:\\temp", "C:\\temp\\"},
                                                        {"C:\\", "C:\\"},
                                                        {"D:", "D:"},
                                                        {"", ""},
                                                        {std::string("x\0", 2), std::string("x\0", 2)}}) {
    exec_.SetFilePath(given);
    EXPECT_EQ(exec_.FilePath(), stored);
  }
}

TEST_F(ExecFileTest, OpensAwkwardNamesAndFiresBothEvents) {
  const std::string name = "it's \"quoted\" caf\xc3\xa9 & more.txt";
  test::WriteFile(root_ + "/" + name, "x");
  std::vector<std::string> events;
  exec_.OnBeforeExecute = [&](TExecFile& sender) { events.push_back("before " + sender.FileName); };
  exec_.OnAfterExecute = [&](TExecFile&) { events.push_back("after"); };
  exec_.FileName = "d:\\" + name;
  exec_.Parameters = "\"" + exec_.FileName + "\"";
  exec_.Execute();
  EXPECT_EQ(opener_.paths, Texts({root_ + "/" + name}));
  EXPECT_EQ(events, Texts({"before d:\\" + name, "after"}));

  std::filesystem::create_directory(root_ + "/sub folder");
  test::WriteFile(root_ + "/sub folder/a b.txt", "x");
  exec_.FileName = "a b.txt";
  exec_.SetFilePath("D:\\sub folder");
  exec_.Execute();
  EXPECT_EQ(opener_.paths.back(), root_ + "/sub folder/a b.txt");

  exec_.FileName = "https://example.com/a b";
  exec_.Execute();
  EXPECT_EQ(opener_.uris, Texts({"https://example.com/a b"}));
}

TEST_F(ExecFileTest, ExplorerOpensTheQuotedFolderOfItsParameters) {
  std::filesystem::create_directory(root_ + "/History");
  exec_.FileName = "c:\\windows\\explorer.exe";
  exec_.Parameters = " \"d:\\history\"";
  exec_.Execute();
  EXPECT_EQ(opener_.paths, Texts({root_ + "/History"}));

  exec_.Parameters = " \"d:\\gone\"";
  EXPECT_EQ(FailureOf(), "Unable to open 'c:\\windows\\explorer.exe'.\r\nPath was not found");
  test::WriteFile(root_ + "/file", "x");
  exec_.Parameters = " \"d:\\file\"";
  EXPECT_EQ(FailureOf(), "Unable to open 'c:\\windows\\explorer.exe'.\r\nPath was not found");
  EXPECT_EQ(opener_.paths.size(), 1u);
}

TEST_F(ExecFileTest, RefusedRequestsRaiseWithTheCodeText) {
  bool after = false;
  exec_.OnAfterExecute = [&](TExecFile&) { after = true; };
  exec_.FileName = "D:\\missing.txt";
  EXPECT_EQ(FailureOf(), "Unable to open 'D:\\missing.txt'.\r\nFile was not found");
  exec_.FileName = "D:\\no folder\\missing.txt";
  EXPECT_EQ(FailureOf(), "Unable to open 'D:\\no folder\\missing.txt'.\r\nPath was not found");
  exec_.FileName = "Q:\\unmapped.txt";
  EXPECT_EQ(FailureOf(), "Unable to open 'Q:\\unmapped.txt'.\r\nPath was not found");
  exec_.FileName = "";
  EXPECT_EQ(FailureOf(), "Unable to open ''.\r\nFile was not found");

  test::WriteFile(root_ + "/data.xyz", "x");
  exec_.FileName = "D:\\data.xyz";
  exec_.Operation = "print";
  EXPECT_EQ(FailureOf(),
            "Unable to print 'D:\\data.xyz'.\r\nThere is no association for the specified file type or there is no "
            "association for the specified action within the file type");
  exec_.Operation = "Open";
  opener_.result = 31;
  EXPECT_NE(FailureOf().find("no association"), std::string::npos);
  opener_.result = 4;  // a code without a text leaves the second line empty
  EXPECT_EQ(FailureOf(), "Unable to Open 'D:\\data.xyz'.\r\n");
  EXPECT_FALSE(after);
  opener_.result = 32;
  EXPECT_EQ(FailureOf(), "");
  EXPECT_TRUE(after);
}

TEST_F(ExecFileTest, TheShellGetsTextsCapturedBeforeTheEventCutTo255) {
  // A file whose DOS path is exactly the first 255 characters of the longer name.
  const std::string long_name = "D:\\" + std::string(252, 'n') + std::string(45, 'x');
  test::WriteFile(root_ + "/" + std::string(252, 'n'), "x");
  exec_.FileName = long_name;
  exec_.Execute();
  EXPECT_EQ(opener_.paths, Texts({root_ + "/" + std::string(252, 'n')}));

  exec_.FileName = "D:\\missing.txt";
  exec_.OnBeforeExecute = [](TExecFile& sender) {
    sender.FileName = "D:\\" + std::string(252, 'n');
    sender.Operation = "explore";
  };
  EXPECT_EQ(FailureOf(), "Unable to explore 'D:\\" + std::string(252, 'n') + "'.\r\nFile was not found");
  exec_.OnBeforeExecute = nullptr;
  exec_.FileName = long_name;
  exec_.Operation = "print";
  EXPECT_EQ(FailureOf().find("Unable to print '" + long_name + "'.\r\n"), 0u);
  EXPECT_TRUE(opener_.uris.empty());
}

}  // namespace
}  // namespace vorlix
