// SPDX-License-Identifier: MIT
// Files through DOS paths: attributes, deletion, search, and the pieces a
// careful copy is made of. Every call takes DOS paths (see drive_paths.h).
//
// Attributes map as follows: hidden means the name begins with a dot;
// read-only means no write permission bit is set; a folder, or a symbolic link
// to one, is a directory. Files that are neither carry the archive attribute,
// as freshly written files do on Windows. A symbolic link is always handled as
// the link itself: deleting never follows it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlix::platform {

enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

// Nothing when the path names nothing (or its drive is not mapped).
std::optional<std::uint32_t> GetFileAttributes(const std::string& path);
// The same for a host path that was already translated.
std::optional<std::uint32_t> HostFileAttributes(const std::string& host_path);

// Sets or clears read-only: clearing gives the owner write permission, setting
// removes every write permission. The other attributes cannot be changed here
// and are ignored. Returns a status code.
int SetFileAttributes(const std::string& path, std::uint32_t attributes);

// Deletes one file (a symbolic link as the link). A folder, or a read-only file,
// refuses with status 5. Returns a status code.
int DeleteFile(const std::string& path);

struct FoundEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::int64_t size = 0;
};

// Search by name pattern and attributes: the entries of the folder named by
// everything before the pattern's last separator whose names match the last
// component, in the order the file system returns them. Names compare without
// regard to ASCII case; "*" matches any run of characters and "?" any one;
// "*.*" matches every name and a pattern ending in "." matches names without an
// extension ("*." finds names without a dot). Hidden, system and directory
// entries are found only when `include` asks for them; other entries always.
// The entries "." and ".." are never reported. Returns a status code: 0 (also
// when nothing matched) or 3 when the folder cannot be read.
int FindFiles(const std::string& pattern, std::uint32_t include, std::vector<FoundEntry>& found);

// True when a name matches a search pattern as FindFiles matches them.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Identity of the file that a path leads to (links followed; its own name
// taken only as written, as FolderEntries::Open takes it).
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);
// The same for a host path that was already translated.
std::optional<FileIdentity> HostIdentityOf(const std::string& host_path);

}  // namespace vorlix::platform
