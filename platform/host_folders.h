// SPDX-License-Identifier: MIT
// Read-only looks at host folders by host path, for searches that walk the
// user's own folders (not DOS paths: the places searched are not tied to a
// drive letter).
#pragma once

#include <sys/types.h>

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

// A count of files and the sum of their sizes.
struct FileTally {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
};

// The files that emptying the tree removes (IsTreeFile: regular files and
// links, a link counted as the link itself, never followed; no pipe, socket
// or device) in a folder and all its subfolders, each reached through its
// parent without following links. `direct`, when given, is added the files
// directly in the folder, taken in the same read.
FileTally TallyTree(const std::string& host_folder, FileTally* direct = nullptr);

// The files TallyTree counts, without their sizes: each folder's read tells
// the kinds of its entries, so no entry is looked at by itself (only one
// whose kind the file system does not report).
std::uint64_t CountTreeFiles(const std::string& host_folder);

// The target a symbolic link names, unresolved; nothing when the path is no
// link.
std::optional<std::string> LinkTarget(const std::string& host_path);

// How a path leads on below a real folder `root` that it begins with: every
// part after the root is a real folder (kFolder), or one of them is a link
// (kLink; `at` is that part's path), or one is missing or no folder (kMissing).
struct PathBelow {
  enum Kind { kFolder, kLink, kMissing } kind = kMissing;
  std::string at;
};
PathBelow LookBelow(const std::string& root, const std::string& path);

// Whether the folder holds a regular file (not a link) of that name.
bool HoldsRegularFile(const std::string& host_folder, const std::string& name);

// Whether the path leads to a folder that the current user owns.
bool IsOwnFolder(const std::string& host_path);

// Whether a process holds a POSIX record lock on the file (the way programs
// mark a file in use while they run); false when the file is missing. When
// it is locked, `holder` (when given) gets the process that holds the lock,
// or 0 when the lock belongs to an open file rather than to a process.
bool IsFileLocked(const std::string& host_path, pid_t* holder = nullptr);

}  // namespace vorlix::platform
