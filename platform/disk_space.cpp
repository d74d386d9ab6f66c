// SPDX-License-Identifier: MIT

#include "platform/disk_space.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>

namespace vorlix::platform {
namespace {

// Mount points in /proc/self/mountinfo escape blanks and the like as \ooo.
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        field.substr(i + 1, 3).find_first_not_of("01234567") == std::string::npos) {
      out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return out;
}

std::vector<std::string> MountPoints() {
  std::vector<std::string> points;
  std::ifstream mounts("/proc/self/mountinfo");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string id, parent, numbers, root, point;
    if (fields >> id >> parent >> numbers >> root >> point) points.push_back(Unescape(point));
  }
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

}  // namespace

std::optional<FileSystemSpace> SpaceOf(const std::string& host_folder) {
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

std::vector<FileSystemSpace> SpacesUnder(const std::vector<std::string>& host_folders) {
  std::vector<FileSystemSpace> spaces;
  std::set<dev_t> seen;
  auto add = [&](const std::string& folder) {
    const std::optional<FileSystemSpace> space = SpaceOf(folder);
    if (space && space->total_fragments > 0 && seen.insert(space->device).second) spaces.push_back(*space);
  };
  const std::vector<std::string> points = MountPoints();
  for (const std::string& folder : host_folders) {
    add(folder);
    for (const std::string& point : points) {
      if (IsAtOrBelow(point, folder)) add(point);
    }
  }
  return spaces;
}

}  // namespace vorlix::platform
