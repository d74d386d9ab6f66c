// SPDX-License-Identifier: MIT
// Runs a program of the project in its own process, as a person at a terminal
// does, and keeps what it printed.
#pragma once

#include <string>
#include <vector>

namespace vorlix::test {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program did not end normally (a signal)
  std::string out;
  std::string err;
};

// Runs args[0] with the other args in the current environment; its standard
// output and error go through files in scratch_folder.
ProgramRun RunProgram(std::vector<std::string> args, const std::string& scratch_folder);

}  // namespace vorlix::test
