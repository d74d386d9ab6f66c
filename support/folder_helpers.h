// SPDX-License-Identifier: MIT
// The two folder routines that finding the start folder needs.
#pragma once

#include <string>

namespace vorlix {

// True when the path can be made the current directory. A path ending in a
// backslash is refused unless it is a bare drive ("C:\"). The current
// directory, and that of the path's drive, are the same afterwards as before;
// restoring them raises EInOutError when a remembered folder vanished meanwhile.
bool FolderCanBeEntered(const std::string& path);

// The folder part of a path: up to its last "\", ":" or NUL, keeping the
// backslash of a drive root ("C:\a\b" -> "C:\a", "C:\temp" -> "C:\",
// "C:temp" -> "C:", "\temp" -> "\", "temp" -> "").
std::string FolderPartOf(const std::string& path);

}  // namespace vorlix
