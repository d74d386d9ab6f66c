// SPDX-License-Identifier: MIT
// The two folder routines that finding the start folder needs.

#include "support/folder_helpers.h"

#include <string_view>

#include "platform/drive_paths.h"
#include "support/in_out_error.h"

namespace vorlix {
namespace {

bool TryChDir(const std::string& path) {
  try {
    ChDir(path);
    return true;
  } catch (const EInOutError&) {
    return false;
  }
}

}  // namespace

bool FolderCanBeEntered(const std::string& path) {
  const std::string home = platform::GetCurrentDir();
  if (path.empty()) return false;
  const bool drive_root = path.size() <= 3 && platform::HasDrivePart(path);
  if (path.back() == '\\' && !drive_root) return false;
  std::string other_drive_dir;
  if (platform::HasDrivePart(path) && path[0] != home[0]) {
    if (!TryChDir(path.substr(0, 2))) return false;
    other_drive_dir = platform::GetCurrentDir();
  }
  const bool entered = TryChDir(path);
  if (!other_drive_dir.empty()) ChDir(other_drive_dir);
  ChDir(home);
  return entered;
}

std::string FolderPartOf(const std::string& path) {
  const std::size_t last = path.find_last_of(std::string_view("\0:\\", 3));
  if (last == std::string::npos) return {};
  if (last == 0) return path.substr(0, 1);
  if (path[last] == '\\') return path.substr(0, path[last - 1] == ':' ? last + 1 : last);
  return path.substr(0, last + 1);
}

}  // namespace vorlix
