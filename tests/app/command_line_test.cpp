// SPDX-License-Identifier: MIT
// The program's command line as a person at a terminal meets it: the real
// program in its own process, with no display unless a test says otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/test_env.h"
#include "version.h"

namespace vorlix {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeTempDir("command-line");
    runtime_ = test::MakeTempDir("runtime");
    config_ = folder_ + "/config";
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
  }

  test::ProgramRun Vorlix(std::vector<std::string> args) {
    args.insert(args.begin(), VORLIX_PATH);
    return test::RunProgram(std::move(args), folder_);
  }

  static long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

  std::string folder_;
  std::string runtime_;
  std::string config_;
};

TEST_F(CommandLineTest, HelpAndVersionAnswerWithoutDisplaySettingsOrLock) {
  const test::ProgramRun help = Vorlix({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("Usage: vorlix [OPTION]...\n", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");

  const test::ProgramRun version = Vorlix({"-platform", "offscreen", "--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out.rfind("vorlix " VORLIX_VERSION "\n", 0), 0u) << version.out;
  EXPECT_EQ(version.err, "");

  EXPECT_EQ(Vorlix({"-V"}).out, version.out);
  EXPECT_EQ(Vorlix({"-h"}).out, help.out);
  EXPECT_FALSE(test::PathExists(config_));
  EXPECT_FALSE(test::PathExists(runtime_ + "/vorlix.lock"));
}

TEST_F(CommandLineTest, WrongArgumentIsOneErrorLineAndTheHintWithExitCode2) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--bogus"}, {"-x"}, {"folder"}, {"-platform"}, {"--style", "fusion", "--helpme"}}) {
    const test::ProgramRun run = Vorlix(args);
    EXPECT_EQ(run.exit_code, 2) << args.back();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 2) << run.err;
    EXPECT_EQ(run.err.rfind("vorlix: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("'" + args.back() + "'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\nTry 'vorlix --help' for more information.\n"), std::string::npos) << run.err;
  }
  // An argument's control characters reach the terminal as text, never as controls.
  const test::ProgramRun controls = Vorlix({"--x\x1b[2J\nmore"});
  EXPECT_EQ(controls.exit_code, 2);
  EXPECT_EQ(Lines(controls.err), 2) << controls.err;
  EXPECT_NE(controls.err.find("'--x\\x1B[2J\\x0Amore'"), std::string::npos) << controls.err;
  EXPECT_FALSE(test::PathExists(config_));
}

TEST_F(CommandLineTest, NoDisplayIsOneErrorLineWithExitCode1) {
  const test::ProgramRun unset = Vorlix({});
  EXPECT_EQ(unset.exit_code, 1);
  EXPECT_EQ(Lines(unset.err), 1) << unset.err;
  EXPECT_EQ(unset.err.rfind("vorlix: cannot open a display: ", 0), 0u) << unset.err;

  setenv("QT_QPA_PLATFORM", "no-such-platform", 1);
  const test::ProgramRun unknown = Vorlix({});
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_EQ(Lines(unknown.err), 1) << unknown.err;
  EXPECT_NE(unknown.err.find("no-such-platform"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace vorlix
