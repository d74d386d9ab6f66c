// SPDX-License-Identifier: MIT
// Starting another program and finding a program file by name.

#include "platform/program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "platform/unique_fd.h"

extern char** environ;

namespace vorlix::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

ProgramOutcome RunProgram(const std::vector<std::string>& args) {
  ProgramOutcome outcome;
  int ends[2];
  if (args.empty() || pipe2(ends, O_CLOEXEC) != 0) {
    outcome.failure = args.empty() ? "no program named" : std::strerror(errno);
    return outcome;
  }
  UniqueFd read_end(ends[0]);
  UniqueFd write_end(ends[1]);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, write_end.get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, write_end.get(), STDERR_FILENO);
  pid_t child = 0;
  const int spawn_error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  write_end = UniqueFd();  // the child holds the only writer now, so reading ends when it does
  if (spawn_error != 0) {
    outcome.failure = std::strerror(spawn_error);
    return outcome;
  }
  outcome.started = true;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(read_end.get(), buffer, sizeof buffer);
    if (got > 0) {
      outcome.output.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
  return outcome;
}

std::string FindProgramBesideOrOnPath(const std::string& name) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && IsExecutableFile((self.parent_path() / name).string())) return (self.parent_path() / name).string();
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    if (folder.empty() || folder.front() != '/') continue;  // a relative entry depends on where we stand
    const std::string candidate = std::string(folder) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace vorlix::platform
