// SPDX-License-Identifier: MIT
// Where a folder really lies: a folder reached through a bind mount is the
// folder it was bound from, whatever path leads to it. The mount table of the
// process (/proc/self/mountinfo) gives each mount's root inside its file
// system, which turns the path a mount is seen at into the path the same
// folder has where its file system is mounted whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlix::platform {

struct MountEntry {
  std::string device;       // "major:minor" of the file system
  std::string root;         // the folder of the file system that is mounted
  std::string mount_point;  // where it is mounted
};

// The mounts of a mountinfo text, in its order (later mounts lie over
// earlier ones); malformed lines are passed by.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The path at which the folder `real_path` (a canonical path) lies when its
// file system is seen from the widest root it is mounted with: for a bind of
// /home/ann at /tmp/b, "/tmp/b/x" lies at "/home/ann/x". The path itself when
// it is not below a bind mount, or when nothing wider of its file system is
// mounted.
std::string WhereItLies(const std::string& real_path, const std::vector<MountEntry>& mounts);

// This process's mounts; none when they cannot be read.
std::vector<MountEntry> ProcessMounts();

}  // namespace vorlix::platform
