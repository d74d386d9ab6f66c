// SPDX-License-Identifier: MIT
// Free space of the file systems behind a drive's folder.

#include "platform/disk_space.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <gio/gunixmounts.h>

#include <cstdint>
#include <set>

namespace vorlix::platform {
namespace {

// Every mount point of this process's mount table, as GLib reads it (through
// libmount where GLib was built with it), its escapes already undone.
std::vector<std::string> SystemMountPoints() {
  std::vector<std::string> points;
  GList* mounts = g_unix_mounts_get(nullptr);
  for (GList* item = mounts; item != nullptr; item = item->next) {
    auto* mount = static_cast<GUnixMountEntry*>(item->data);
    points.emplace_back(g_unix_mount_get_mount_path(mount));
    g_unix_mount_free(mount);
  }
  g_list_free(mounts);
  return points;
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
  std::vector<std::string> MountPoints() override { return SystemMountPoints(); }
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
  std::vector<FileSystemSpace> spaces;
  std::set<dev_t> seen;
  auto add = [&](const std::string& folder) {
    const std::optional<FileSystemSpace> space = SpaceOf(folder);
    if (space && space->total_fragments > 0 && seen.insert(space->device).second) spaces.push_back(*space);
  };
  const std::vector<std::string> points = installed->MountPoints();
  for (const std::string& folder : host_folders) {
    add(folder);
    for (const std::string& point : points) {
      if (IsAtOrBelow(point, folder)) add(point);
    }
  }
  return spaces;
}

}  // namespace vorlix::platform
