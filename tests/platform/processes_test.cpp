// SPDX-License-Identifier: MIT
#include "platform/processes.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
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

// A browser's end is told the moment it ends, before its parent reaps it:
// by then it must no longer count as running.
TEST(ProcessesTest, AProcessRunsUntilItEndsNotUntilItIsReaped) {
  const pid_t child = fork();
  if (child == 0) {
    pause();
    _exit(0);
  }
  EXPECT_TRUE(IsProcessAlive(child));
  kill(child, SIGKILL);
  siginfo_t ended{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT), 0);  // ended, not reaped
  EXPECT_FALSE(IsProcessAlive(child));
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(IsProcessAlive(child));
  EXPECT_TRUE(IsProcessAlive(getpid()));
  EXPECT_FALSE(IsProcessAlive(0));
}

}  // namespace
}  // namespace vorlix::platform
