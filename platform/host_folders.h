// SPDX-License-Identifier: MIT
// Read-only looks at host folders by host path, for searches that walk the
// user's own folders (not DOS paths: the places searched are not tied to a
// drive letter).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlix::platform {

// A host folder's path and an entry name joined by one slash ("/" and "a"
// give "/a").
std::string JoinHostPath(const std::string& folder, const std::string& name);

// The canonical path of an existing folder (links resolved); nothing when the
// path does not lead to a folder.
std::optional<std::string> RealFolder(const std::string& host_path);

// The names of the entries of a folder that are folders or links to folders,
// in byte order; empty when the folder cannot be read.
std::vector<std::string> SubfolderNames(const std::string& host_folder);

// The entries directly in a folder that are not folders (a link counts as the
// link itself, never followed) and the sum of their sizes.
struct FileTally {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
};
FileTally TallyFiles(const std::string& host_folder);

}  // namespace vorlix::platform
