// SPDX-License-Identifier: MIT
// Test surroundings: every test process runs with HOME and the XDG folders in a
// temporary folder of its own, removed when the process ends.
#pragma once

#include <string>

namespace vorlix::test {

// The process's temporary root; HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// XDG_RUNTIME_DIR lie below it.
const std::string& TestRoot();

// A new empty folder below the test root.
std::string MakeTempDir(const std::string& hint = "dir");

// Writes a file, creating or replacing it; fails the test on error.
void WriteFile(const std::string& path, const std::string& content);
// The whole content of a file; an empty text when it cannot be read.
std::string ReadFile(const std::string& path);
bool PathExists(const std::string& path);  // lstat: a dangling link exists too
// Makes a named pipe and a Unix socket (its file, no one listening) in a
// folder, named `pipe` and `socket`; fails the test on error.
void MakePipeAndSocket(const std::string& folder);

}  // namespace vorlix::test
