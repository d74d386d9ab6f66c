// SPDX-License-Identifier: MIT
#include "platform/processes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace vorlix::platform {
namespace {

TEST(ProcessesTest, ThisProcessIsListedWithItsProgramAndShortName) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::vector<RunningProgram> programs = RunningPrograms();
  EXPECT_TRUE(std::any_of(programs.begin(), programs.end(), [&](const RunningProgram& program) {
    return program.executable == self && self.ends_with("/" + program.name);
  })) << self;
}

TEST(ProcessesTest, OtherUsersProcessesAreLeftOut) {
  constexpr uid_t kNoOne = 4000000123;  // a user id that runs nothing
  EXPECT_FALSE(RunningProgramsOf(getuid()).empty());
  EXPECT_TRUE(RunningProgramsOf(kNoOne).empty());
}

}  // namespace
}  // namespace vorlix::platform
