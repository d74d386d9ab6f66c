// SPDX-License-Identifier: MIT
// Free space of the file systems behind a drive's folder.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlix::platform {

struct FileSystemSpace {
  dev_t device = 0;            // identifies the file system
  std::uint64_t free_bytes = 0;       // all free bytes
  std::uint64_t available_bytes = 0;  // free bytes an unprivileged user may take
  std::uint64_t total_bytes = 0;
  std::uint64_t fragment_size = 0;
  std::uint64_t free_fragments = 0;
  std::uint64_t total_fragments = 0;
};

// Where the figures come from: the system's own file systems (statvfs and the
// mount table), or a stand-in that a test installs to give exact figures for
// file systems it cannot mount.
class FileSystemTable {
 public:
  virtual ~FileSystemTable() = default;
  // The file system holding a host folder; nothing when it cannot be queried.
  virtual std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder) = 0;
  // The mount point of every file system mounted in this process's view.
  virtual std::vector<std::string> MountPoints() = 0;
};

// The installed table; the system's own when none is installed.
FileSystemTable& CurrentFileSystemTable();
// Installs a table (nullptr goes back to the system's own). The caller keeps it
// alive while it is installed.
void InstallFileSystemTable(FileSystemTable* table);

// The file system holding a host folder, through the installed table.
std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder);

// Every file system mounted at or below any of the host folders, each folder's
// own first, each file system once over all of them; file systems without
// blocks (proc, sysfs and the like) are left out.
std::vector<FileSystemSpace> SpacesUnder(const std::vector<std::string>& host_folders);

}  // namespace vorlix::platform
