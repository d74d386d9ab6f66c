// SPDX-License-Identifier: MIT
// The program's command line. Vorlix takes no arguments of its own beyond
// --help and --version; the toolkit's standard options (-platform NAME,
// -style NAME, -display NAME, ...) pass through to it.
#pragma once

#include <optional>
#include <ostream>

namespace vorlix {

// Answers --help and --version on `out` and rejects anything else it does not
// know with one error line and a hint on `err`. Returns the exit code when the
// program should end at once (0 after --help or --version, 2 for a wrong
// argument), nothing when it should start. Reads no settings and takes no lock.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vorlix
