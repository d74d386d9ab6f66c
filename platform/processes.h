// SPDX-License-Identifier: MIT
// The programs the current user is running.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vorlix::platform {

struct RunningProgram {
  std::string executable;  // the program file's path; empty when it cannot be read
  std::string name;        // the process's short name, as `ps -o comm` shows it
};

// One entry per process of the current user.
std::vector<RunningProgram> RunningPrograms();

// One entry per process of the given user; the processes of everyone else
// are left out.
std::vector<RunningProgram> RunningProgramsOf(uid_t user);

// Whether a process with this id runs, whoever runs it; one that has ended
// and waits to be reaped does not.
bool IsProcessAlive(pid_t pid);

// This machine's host name; empty when it cannot be read.
std::string HostName();

}  // namespace vorlix::platform
