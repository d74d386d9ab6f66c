// SPDX-License-Identifier: MIT
// The programs the current user is running.
#include "platform/processes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

#include "platform/host_folders.h"

namespace vorlix::platform {
namespace {

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string LinkTarget(const std::string& path) {
  std::string target(4096, '\0');
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length < 0) return {};
  target.resize(static_cast<std::size_t>(length));
  return target;
}

}  // namespace

std::vector<RunningProgram> RunningPrograms() { return RunningProgramsOf(getuid()); }

std::vector<RunningProgram> RunningProgramsOf(uid_t user) {
  std::vector<RunningProgram> programs;
  for (const std::string& pid : SubfolderNames("/proc")) {
    if (!IsNumber(pid)) continue;
    const std::string folder = "/proc/" + pid;
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || st.st_uid != user) continue;
    RunningProgram program;
    program.executable = LinkTarget(folder + "/exe");
    std::ifstream comm(folder + "/comm");
    std::getline(comm, program.name);
    programs.push_back(std::move(program));
  }
  return programs;
}

}  // namespace vorlix::platform
