// SPDX-License-Identifier: MIT
// Whole small text files (settings a program writes for another one): read,
// written so that the old content stays until the new one is complete, and
// removed. Each failure comes back as the system's reason.
#pragma once

#include <optional>
#include <string>

namespace vorlix::platform {

// The text of a small file (at most `limit` bytes are read: a file that
// others may write cannot make the reader take all memory; a link to
// /dev/null, as a masked unit is, reads empty); nothing when it cannot be
// read.
std::optional<std::string> ReadSmallFile(const std::string& host_path, std::size_t limit = 65536);

// Creates the missing folders above the path, writes the content into a new
// file beside it and gives that file the name. An empty text on success,
// else the system's reason; nothing is made inside a home folder that does
// not exist.
std::string WriteSmallFile(const std::string& host_path, const std::string& content);

// Removes the entry at the path (a symbolic link as a link). An empty text when
// it is gone or was never there, else the system's reason.
std::string RemoveSmallFile(const std::string& host_path);

}  // namespace vorlix::platform
