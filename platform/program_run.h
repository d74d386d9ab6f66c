// SPDX-License-Identifier: MIT
// Starting another program, waiting for it and keeping what it printed, and
// finding a program file by name.
#pragma once

#include <string>
#include <vector>

namespace vorlix::platform {

struct ProgramOutcome {
  bool started = false;  // false: the program could not be started at all
  int exit_code = -1;    // the exit status; -1 when it ended by a signal
  std::string output;    // standard output and standard error, interleaved
  std::string failure;   // the system's reason when it could not be started
};

// Runs args[0] (looked up on PATH when it holds no slash) with the other args,
// standard input from /dev/null, in the current environment, and waits for it.
ProgramOutcome RunProgram(const std::vector<std::string>& args);

// The absolute path of an executable file `name` in the folder of the running
// program, else the first one on PATH; an empty text when there is none.
std::string FindProgramBesideOrOnPath(const std::string& name);

}  // namespace vorlix::platform
