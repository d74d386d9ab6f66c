// SPDX-License-Identifier: MIT

#include "tests/common/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/common/test_env.h"

extern char** environ;

namespace vorlix::test {

ProgramRun RunProgram(std::vector<std::string> args, const std::string& scratch_folder, bool as_nobody) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string out_path = scratch_folder + "/stdout";
  const std::string err_path = scratch_folder + "/stderr";
  ProgramRun run;
  const pid_t pid = fork();
  if (pid == 0) {
    constexpr uid_t kNobody = 65534;
    const bool ready = dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1) == 1 &&
                       dup2(open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2) == 2 &&
                       (!as_nobody || geteuid() != 0 ||
                        (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0));
    if (ready) execve(argv[0], argv.data(), environ);
    _exit(127);
  }
  int status = 0;
  for (int waited = 0; pid > 0 && waitpid(pid, &status, WNOHANG) == 0; ++waited) {
    if (waited == 6000) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.exit_code = -2;
    }
    usleep(10000);
  }
  if (run.exit_code != -2 && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  run.out = ReadFile(out_path);
  run.err = ReadFile(err_path);
  return run;
}

void WherePermissionsBind(const std::function<void(const std::string& folder)>& check) {
  if (geteuid() != 0) {
    check(MakeTempDir("unprivileged"));
    return;
  }
  constexpr uid_t kNobody = 65534;
  std::string folder = (std::filesystem::temp_directory_path() / "vorlix-nobody-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool dropped = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
    if (dropped) check(folder);
    std::fflush(stdout);
    _exit(!dropped ? 2 : ::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged check did not end normally";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged check failed (2: could not give up root)";
}

}  // namespace vorlix::test
