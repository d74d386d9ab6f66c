// SPDX-License-Identifier: MIT
// Free space of the file systems behind a drive's folder.

#include "platform/disk_space.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <gio/gunixmounts.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>

namespace vorlix::platform {
namespace {

// Every mount of this process's mount table, as GLib reads it (through
// libmount where GLib was built with it), its escapes already undone.
std::vector<MountedFileSystem> SystemMounts() {
  std::vector<MountedFileSystem> table;
  GList* mounts = g_unix_mounts_get(nullptr);
  for (GList* item = mounts; item != nullptr; item = item->next) {
    auto* mount = static_cast<GUnixMountEntry*>(item->data);
    const char* type = g_unix_mount_get_fs_type(mount);
    const char* source = g_unix_mount_get_device_path(mount);
    struct stat device {};
    const bool from_block_device = source != nullptr && stat(source, &device) == 0 && S_ISBLK(device.st_mode);
    table.push_back(
        {g_unix_mount_get_mount_path(mount), type != nullptr ? type : "", from_block_device ? device.st_rdev : 0});
    g_unix_mount_free(mount);
  }
  g_list_free(mounts);
  return table;
}

// File systems whose space is memory or the kernel's own bookkeeping, never a
// disk's: the system file system types GIO knows, and the memory and kernel
// ones its list lacks. Overlay is not among them: its free space is that of
// the disk under its upper layer, and in a container it is the root.
bool HoldsDiskSpace(const std::string& type) {
  static constexpr std::array<std::string_view, 27> kNotOnDisk = {
      "autofs",   "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs", "debugfs", "devfs",   "devpts",
      "devtmpfs", "efivarfs",    "fusectl",    "hugetlbfs",  "mqueue",    "nfsd",     "nsfs",    "proc",    "pstore",
      "ramfs",    "rootfs",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",    "tmpfs",   "tracefs", "usbfs"};
  return std::find(kNotOnDisk.begin(), kNotOnDisk.end(), type) == kNotOnDisk.end();
}

bool IsAtOrBelow(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path.compare(0, folder.size(), folder) == 0 && (path.size() == folder.size() || path[folder.size()] == '/');
}

// Blocks times block size; a product beyond 64 bits stays at the largest count.
std::uint64_t Bytes(std::uint64_t unit, std::uint64_t blocks) {
  std::uint64_t bytes = 0;
  return __builtin_mul_overflow(unit, blocks, &bytes) ? UINT64_MAX : bytes;
}

std::optional<FileSystemSpace> SystemSpaceOf(const std::string& host_folder) {
  struct stat st {};
  struct statvfs vfs {};
  if (stat(host_folder.c_str(), &st) != 0 || statvfs(host_folder.c_str(), &vfs) != 0) return std::nullopt;
  const std::uint64_t unit = vfs.f_frsize != 0 ? vfs.f_frsize : vfs.f_bsize;
  FileSystemSpace space;
  space.device = st.st_dev;
  space.fragment_size = unit;
  space.free_fragments = vfs.f_bfree;
  space.total_fragments = vfs.f_blocks;
  space.free_bytes = Bytes(unit, vfs.f_bfree);
  space.available_bytes = Bytes(unit, vfs.f_bavail);
  space.total_bytes = Bytes(unit, vfs.f_blocks);
  return space;
}

class SystemFileSystems final : public FileSystemTable {
 public:
  std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder) override { return SystemSpaceOf(host_folder); }
  std::vector<MountedFileSystem> Mounts() override { return SystemMounts(); }
};

SystemFileSystems system_file_systems;
FileSystemTable* installed = &system_file_systems;

}  // namespace

FileSystemTable& CurrentFileSystemTable() { return *installed; }

void InstallFileSystemTable(FileSystemTable* table) {
  installed = table != nullptr ? table : &system_file_systems;
}

std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder) { return installed->SpaceOf(host_folder); }

std::vector<FileSystemSpace> SpacesUnder(const std::vector<std::string>& host_folders) {
  // Each mount's file system: whether it is disk-backed, and its block device.
  // Both go by device number: a folder's own file system is known by it, not
  // by a mount point, and a later mount at a point covers the earlier one that
  // statvfs no longer reaches. A device of no known mount keeps its space
  // counted.
  struct Kind {
    bool on_disk = true;
    dev_t block_device = 0;
  };
  const std::vector<MountedFileSystem> mounts = installed->Mounts();
  std::vector<std::optional<FileSystemSpace>> mount_spaces;
  std::map<dev_t, Kind> kinds;
  for (const MountedFileSystem& mount : mounts) {
    mount_spaces.push_back(SpaceOf(mount.mount_point));
    if (mount_spaces.back()) kinds[mount_spaces.back()->device] = {HoldsDiskSpace(mount.type), mount.block_device};
  }
  std::vector<FileSystemSpace> spaces;
  std::set<dev_t> seen, seen_block_devices;
  auto add = [&](const std::optional<FileSystemSpace>& space) {
    if (!space || space->total_fragments == 0) return;
    const Kind kind = kinds.contains(space->device) ? kinds[space->device] : Kind{};
    if (!kind.on_disk || !seen.insert(space->device).second) return;
    if (kind.block_device != 0 && !seen_block_devices.insert(kind.block_device).second) return;
    spaces.push_back(*space);
  };
  for (const std::string& folder : host_folders) {
    add(SpaceOf(folder));
    for (std::size_t i = 0; i < mounts.size(); ++i) {
      if (IsAtOrBelow(mounts[i].mount_point, folder)) add(mount_spaces[i]);
    }
  }
  return spaces;
}

}  // namespace vorlix::platform
