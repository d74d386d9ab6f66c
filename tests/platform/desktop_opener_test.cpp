// SPDX-License-Identifier: MIT
// The desktop's own opener, with a recording stand-in registered as the
// user's application for texts, folders and web addresses: what the opened
// application receives must name exactly the file that was opened.
#include "platform/desktop_opener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/xdg.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

class DesktopOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string folder = test::MakeTempDir("recorder");
    record_ = folder + "/record.txt";
    const std::string script = folder + "/record";
    test::WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + record_ + "'\n");
    chmod(script.c_str(), 0755);
    std::filesystem::create_directories(DataHome() + "/applications");
    const auto entry = [&](const std::string& name, const std::string& field, const std::string& types) {
      test::WriteFile(DataHome() + "/applications/" + name,
                      "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + script + " " + field +
                          "\nMimeType=" + types + "\nNoDisplay=true\n");
    };
    entry("vorlix-files.desktop", "%f", "text/plain;inode/directory;");
    entry("vorlix-web.desktop", "%u", "x-scheme-handler/https;");
    test::WriteFile(ConfigHome() + "/mimeapps.list",
                    "[Default Applications]\ntext/plain=vorlix-files.desktop\ninode/directory=vorlix-files.desktop\n"
                    "x-scheme-handler/https=vorlix-web.desktop\n");
  }

  // What the stand-in application received so far, waiting a little for it.
  std::string Received(std::size_t lines) {
    for (int i = 0; i < 200; ++i) {
      const std::string text = test::ReadFile(record_);
      if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) return text;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return test::ReadFile(record_);
  }

  std::string record_;
};

TEST_F(DesktopOpenerTest, AwkwardNamesFoldersAndAddressesReachTheApplicationIntact) {
  const std::string folder = test::MakeTempDir("docs") + "/caf\xc3\xa9 & \"friends\"";
  std::filesystem::create_directory(folder);
  const std::string file = folder + "/it's a 100% na\xc3\xafve $HOME.txt";
  test::WriteFile(file, "plain text\n");

  ASSERT_EQ(CurrentDesktopOpener().OpenPath(file), 0);
  ASSERT_EQ(Received(1), file + "\n");
  ASSERT_EQ(CurrentDesktopOpener().OpenPath(folder), 0);
  ASSERT_EQ(Received(2), file + "\n" + folder + "\n");
  ASSERT_EQ(CurrentDesktopOpener().OpenUri("https://www.example.com/a?b=c"), 0);
  EXPECT_EQ(Received(3), file + "\n" + folder + "\nhttps://www.example.com/a?b=c\n");
}

}  // namespace
}  // namespace vorlix::platform
