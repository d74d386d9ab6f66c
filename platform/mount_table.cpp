// SPDX-License-Identifier: MIT
// Where a folder really lies, from the process's mount table.
#include "platform/mount_table.h"

#include <optional>

#include "platform/small_files.h"

namespace vorlix::platform {
namespace {

// Mount points and roots write space, tab, newline and backslash as "\ooo".
std::string Unescape(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                       field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos;
    if (octal) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

// The space-separated field `index` of a line; nothing past its end.
std::optional<std::string_view> Field(std::string_view line, int index) {
  for (int i = 0; i < index; ++i) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    line.remove_prefix(space + 1);
  }
  return line.substr(0, line.find(' '));
}

// `path` below `folder` ("/" lies over everything); the rest of it after the
// folder ("" for the folder itself, otherwise beginning with "/").
std::optional<std::string> Below(const std::string& path, const std::string& folder) {
  if (folder == "/") return path == "/" ? std::string() : path;
  if (path == folder) return std::string();
  if (path.starts_with(folder) && path[folder.size()] == '/') return path.substr(folder.size());
  return std::nullopt;
}

std::string Joined(const std::string& folder, const std::string& rest) {
  if (rest.empty()) return folder;
  return folder == "/" ? rest : folder + rest;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> mounts;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const std::optional<std::string_view> device = Field(line, 2);
    const std::optional<std::string_view> root = Field(line, 3);
    const std::optional<std::string_view> point = Field(line, 4);
    if (!point || !root->starts_with('/') || !point->starts_with('/')) continue;
    mounts.push_back({std::string(*device), Unescape(*root), Unescape(*point)});
  }
  return mounts;
}

std::string WhereItLies(const std::string& real_path, const std::vector<MountEntry>& mounts) {
  // The mount the path is seen through: the deepest mount point above it,
  // and of those the last mounted.
  const MountEntry* seen = nullptr;
  std::string rest;
  for (const MountEntry& mount : mounts) {
    const std::optional<std::string> below = Below(real_path, mount.mount_point);
    if (below && (seen == nullptr || mount.mount_point.size() >= seen->mount_point.size())) {
      seen = &mount;
      rest = *below;
    }
  }
  if (seen == nullptr) return real_path;
  const std::string in_file_system = Joined(seen->root, rest);
  // The same file system mounted from the widest root that holds the folder.
  const MountEntry* widest = seen;
  std::string widest_rest = rest;
  for (const MountEntry& mount : mounts) {
    if (mount.device != seen->device) continue;
    const std::optional<std::string> below = Below(in_file_system, mount.root);
    if (below && mount.root.size() < widest->root.size()) {
      widest = &mount;
      widest_rest = *below;
    }
  }
  return Joined(widest->mount_point, widest_rest);
}

std::vector<MountEntry> ProcessMounts() {
  const std::optional<std::string> text = ReadSmallFile("/proc/self/mountinfo", 16 << 20);
  return text ? ParseMountInfo(*text) : std::vector<MountEntry>{};
}

}  // namespace vorlix::platform
