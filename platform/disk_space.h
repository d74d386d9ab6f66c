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

// A mount of the mount table, with its file system type as the table names it
// ("ext4", "tmpfs", "proc" ...).
struct MountedFileSystem {
  std::string mount_point;
  std::string type;
  // The block device it is mounted from, 0 for any other source. The mounts of
  // one block device share one free space even where each has a device number
  // of its own, as the subvolumes of a btrfs have.
  dev_t block_device = 0;
};

// Where the figures come from: the system's own file systems (statvfs and the
// mount table), or a stand-in that a test installs to give exact figures for
// file systems it cannot mount.
class FileSystemTable {
 public:
  virtual ~FileSystemTable() = default;
  // The file system holding a host folder; nothing when it cannot be queried.
  virtual std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder) = 0;
  // Every mount in this process's view, in the order of the mount table: a
  // later mount at the same point covers an earlier one.
  virtual std::vector<MountedFileSystem> Mounts() = 0;
};

// The installed table; the system's own when none is installed.
FileSystemTable& CurrentFileSystemTable();
// Installs a table (nullptr goes back to the system's own). The caller keeps it
// alive while it is installed.
void InstallFileSystemTable(FileSystemTable* table);

// The file system holding a host folder, through the installed table.
std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder);

// Every disk-backed file system mounted at or below any of the host folders,
// each folder's own first, each file system (and each block device) once over
// all of them. File systems
// of memory (tmpfs, ramfs) or of the kernel's own (proc, sysfs, cgroup and the
// like) are left out, as are file systems without blocks: their free space is
// no disk space, and it moves with whatever other programs keep in memory.
std::vector<FileSystemSpace> SpacesUnder(const std::vector<std::string>& host_folders);

}  // namespace vorlix::platform
