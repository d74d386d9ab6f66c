// SPDX-License-Identifier: MIT
// Runs a program of the project in its own process, as a person at a terminal
// does, and keeps what it printed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vorlix::test {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program did not end normally (a signal); -2 when it was killed
  std::string out;
  std::string err;
};

// Runs args[0] with the other args in the current environment; its standard
// output and error go through files in scratch_folder. With `as_nobody`, when
// the tests run as root, the program runs as the unprivileged user "nobody" so
// that file permissions bind. A run that has not ended after a minute is
// killed and reported with exit code -2.
ProgramRun RunProgram(std::vector<std::string> args, const std::string& scratch_folder, bool as_nobody = false);

// Runs a check where file permissions bind: directly for an ordinary user; for
// root (as in CI) in a child process that gives up root for the unprivileged
// user "nobody" and works in a folder of its own. The check gets that folder.
void WherePermissionsBind(const std::function<void(const std::string& folder)>& check);

}  // namespace vorlix::test
