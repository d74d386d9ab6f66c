// SPDX-License-Identifier: MIT
// The programs the current user is running.
#include "platform/processes.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
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
    program.executable = LinkTarget(folder + "/exe").value_or("");
    std::ifstream comm(folder + "/comm");
    std::getline(comm, program.name);
    programs.push_back(std::move(program));
  }
  return programs;
}

bool IsProcessAlive(pid_t pid) {
  // Signal 0 only asks whether the process exists; EPERM means it does but
  // belongs to someone else.
  if (pid <= 0 || (kill(pid, 0) != 0 && errno != EPERM)) return false;
  // A process that has ended keeps its id until its parent reaps it; it
  // runs no more and holds nothing (state Z or X after the name's ")").
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t name_end = line.rfind(')');
  if (name_end == std::string::npos || name_end + 2 >= line.size()) return true;
  const char state = line[name_end + 2];
  return state != 'Z' && state != 'X';
}

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace vorlix::platform
