// SPDX-License-Identifier: MIT
// Entering the folders a run names: a slot's stored folder as the window's
// folder tree enters it, and a path given on the command line.
#pragma once

#include <string>

namespace vorlix::clean_tool {

// Enters a folder as the window's folder tree does (a folder without drive
// letter on the slot's drive, or on the current drive when `drive` is 0) and
// gives its full DOS path; throws EInOutError when it cannot be entered.
std::string EnterFolder(char drive, const std::string& folder);

// The DOS path of a path given on the command line: a Linux path when it
// begins with "/", otherwise a DOS path. A Linux path is read as `cd` reads
// it ("." and ".." by name) and must lead to a folder exactly as written;
// throws EInOutError (status 3) naming the first part that is missing, or for
// a folder that no drive holds.
std::string DosPathOf(const std::string& given);

}  // namespace vorlix::clean_tool
