// SPDX-License-Identifier: MIT
#include "platform/program_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

TEST(ProgramRunTest, OutputErrorsAndExitStatusComeBackAndAMissingProgramIsTold) {
  const ProgramOutcome ran = RunProgram({"/bin/sh", "-c", "echo out; echo err >&2; exit 7"});
  EXPECT_TRUE(ran.started);
  EXPECT_EQ(ran.exit_code, 7);
  EXPECT_EQ(ran.output, "out\nerr\n");
  const ProgramOutcome missing = RunProgram({"vorlix-no-such-program"});
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.failure, "No such file or directory");
}

TEST(ProgramRunTest, OnlyAnExecutableFileInAnAbsolutePathFolderIsFound) {
  const std::string relative = test::MakeTempDir("relative");
  const std::string plain = test::MakeTempDir("plain");
  const std::string runnable = test::MakeTempDir("runnable");
  for (const std::string& folder : {relative, plain, runnable}) test::WriteFile(folder + "/tool", "#!/bin/sh\n");
  ASSERT_EQ(chmod((relative + "/tool").c_str(), 0755), 0);
  ASSERT_EQ(chmod((runnable + "/tool").c_str(), 0755), 0);
  const std::string saved = std::getenv("PATH");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(test::TestRoot());
  setenv("PATH", (relative.substr(test::TestRoot().size() + 1) + "::" + plain + ":" + runnable).c_str(), 1);
  const std::string found = FindProgramBesideOrOnPath("tool");
  const std::string not_found = FindProgramBesideOrOnPath("vorlix-no-such-program");
  setenv("PATH", saved.c_str(), 1);
  std::filesystem::current_path(here);
  EXPECT_EQ(found, runnable + "/tool");
  EXPECT_EQ(not_found, "");
}

}  // namespace
}  // namespace vorlix::platform
