// SPDX-License-Identifier: MIT

#include "support/single_instance.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/test_env.h"

extern char** environ;

namespace vorlix {
namespace {

TEST(InstanceNamesTest, TitleDropsAnUpperCaseExeOnly) {
  const struct {
    std::string path, file_name, title;
  } cases[] = {
      {"C:\\Program Files\\Vorlix.EXE", "Vorlix.EXE", "Vorlix"},
      {"/opt/vorlix/Vorlix.EXE", "Vorlix.EXE", "Vorlix"},
      {"c:Tool.EXE.bak", "Tool.EXE.bak", "Tool.EXE"},
      {"C:\\bin\\vorlix.exe", "vorlix.exe", ""},
      {"/usr/bin/vorlix", "vorlix", "VORLIX"},
  };
  for (const auto& c : cases) {
    const InstanceNames names = NamesFromProgramPath(c.path);
    EXPECT_EQ(names.file_name, c.file_name) << c.path;
    EXPECT_EQ(names.window_title, c.title) << c.path;
  }
  const std::string long_name = std::string(300, 'v') + ".EXE";
  EXPECT_EQ(NamesFromProgramPath("/x/" + long_name).file_name, std::string(255, 'v'));
  EXPECT_EQ(NamesFromProgramPath("/x/" + long_name).window_title, "");
}

// One running copy of the probe program, started under a chosen path.
class Probe {
 public:
  explicit Probe(const std::string& path, std::vector<std::string> args = {}) {
    int in[2], out[2];
    EXPECT_EQ(pipe2(in, O_CLOEXEC), 0);  // later probes must not keep this one's pipes open
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    args.insert(args.begin(), path);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
  }
  ~Probe() {
    if (pid_ > 0) Kill();
    if (stdin_ >= 0) close(stdin_);
    close(stdout_);
  }

  // The next line of output; empty when none comes within ten seconds.
  std::string ReadLine() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd watched{stdout_, POLLIN, 0};
      char chunk[256];
      if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0) return {};
      const ssize_t got = read(stdout_, chunk, sizeof chunk);
      if (got <= 0) return {};
      buffer_.append(chunk, static_cast<std::size_t>(got));
    }
  }
  void Write(const std::string& text) {
    ASSERT_EQ(write(stdin_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  // Closes standard input, which ends a first copy, and returns the exit code.
  int Finish() {
    close(stdin_);
    stdin_ = -1;
    int status = 0;
    EXPECT_EQ(waitpid(pid_, &status, 0), pid_);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  void Kill() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  std::string buffer_;
};

class SingleInstanceTest : public ::testing::Test {
 protected:
  // The probe program under another path: a link named `name` in a folder of its own.
  std::string ProbeNamed(const std::string& name) {
    const std::string link = test::MakeTempDir("bin") + "/" + name;
    std::filesystem::create_symlink(VORLIX_INSTANCE_PROBE, link);
    return link;
  }
};

TEST_F(SingleInstanceTest, ASecondCopyUnderTheSameNameEndsAndRaisesTheFirst) {
  Probe first(ProbeNamed("Vorlix.EXE"), {"Vorlix"});
  ASSERT_EQ(first.ReadLine(), "first");
  Probe second(ProbeNamed("Vorlix.EXE"));
  EXPECT_EQ(second.ReadLine(), "second");
  EXPECT_EQ(second.Finish(), 0);
  EXPECT_EQ(first.ReadLine(), "raise Vorlix");

  Probe minimized_first(ProbeNamed("Cleaner.EXE"), {"Cleaner", "minimised"});
  ASSERT_EQ(minimized_first.ReadLine(), "first");
  Probe again(ProbeNamed("Cleaner.EXE"));
  EXPECT_EQ(again.Finish(), 0);
  EXPECT_EQ(minimized_first.ReadLine(), "restore Cleaner");

  // A lower-case ".exe" gives no title: nothing is asked for, and the copy still ends.
  Probe lower_first(ProbeNamed("vorlix.exe"), {"vorlix"});
  ASSERT_EQ(lower_first.ReadLine(), "first");
  Probe lower_second(ProbeNamed("vorlix.exe"));
  EXPECT_EQ(lower_second.Finish(), 0);
  EXPECT_EQ(lower_first.Finish(), 0);
  EXPECT_EQ(lower_first.ReadLine(), "");

  // A name without an extension stands for NAME.EXE.
  Probe plain_first(ProbeNamed("vorlix"), {"VORLIX"});
  ASSERT_EQ(plain_first.ReadLine(), "first");
  Probe plain_second(ProbeNamed("vorlix"));
  EXPECT_EQ(plain_second.Finish(), 0);
  EXPECT_EQ(plain_first.ReadLine(), "raise VORLIX");
  EXPECT_EQ(plain_first.Finish(), 0);

  EXPECT_EQ(first.Finish(), 0);
  EXPECT_EQ(first.ReadLine(), "");
}

TEST_F(SingleInstanceTest, ARuntimeFolderThatIsMissingFallsBackToTheTemporaryFolder) {
  const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
  setenv("XDG_RUNTIME_DIR", (runtime + "/gone").c_str(), 1);
  setenv("TMPDIR", test::MakeTempDir("tmp").c_str(), 1);
  {
    Probe first(ProbeNamed("Vorlix.EXE"), {"Vorlix"});
    ASSERT_EQ(first.ReadLine(), "first");
    Probe second(ProbeNamed("Vorlix.EXE"));
    EXPECT_EQ(second.ReadLine(), "second");
    EXPECT_EQ(first.ReadLine(), "raise Vorlix");
  }
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  unsetenv("TMPDIR");
}

TEST_F(SingleInstanceTest, CopiesUnderDifferentNamesBothRun) {
  Probe one(ProbeNamed("Vorlix.EXE"));
  Probe other(ProbeNamed("Vorlix2.EXE"));
  EXPECT_EQ(one.ReadLine(), "first");
  EXPECT_EQ(other.ReadLine(), "first");
  EXPECT_EQ(one.Finish(), 0);
  EXPECT_EQ(other.Finish(), 0);
}

TEST_F(SingleInstanceTest, AKilledOrEndedCopyLeavesNoStaleLock) {
  const std::string path = ProbeNamed("Vorlix.EXE");
  {
    Probe killed(path);
    ASSERT_EQ(killed.ReadLine(), "first");
    killed.Kill();
  }
  Probe next(path, {"Vorlix"});
  ASSERT_EQ(next.ReadLine(), "first");
  Probe second(path);
  EXPECT_EQ(second.Finish(), 0);
  EXPECT_EQ(next.ReadLine(), "raise Vorlix");  // the killed copy's socket file was replaced
  EXPECT_EQ(next.Finish(), 0);

  Probe after_exit(path);
  EXPECT_EQ(after_exit.ReadLine(), "first");
}

TEST_F(SingleInstanceTest, CopiesStartedAtTheSameMomentLetExactlyOneRun) {
  const std::string path = ProbeNamed("Vorlix.EXE");
  for (int round = 0; round < 5; ++round) {
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < 4; ++i) probes.push_back(std::make_unique<Probe>(path, std::vector<std::string>{"--gate"}));
    for (auto& probe : probes) probe->Write("\n");
    int firsts = 0;
    for (auto& probe : probes) {
      const std::string line = probe->ReadLine();
      ASSERT_TRUE(line == "first" || line == "second") << line;
      firsts += line == "first";
    }
    EXPECT_EQ(firsts, 1);
    for (auto& probe : probes) EXPECT_EQ(probe->Finish(), 0);
  }
}

}  // namespace
}  // namespace vorlix
