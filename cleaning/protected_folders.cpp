// SPDX-License-Identifier: MIT
// Folders that a run which asks nothing never cleans.

#include "cleaning/protected_folders.h"

#include "cleaning/search_places.h"
#include "platform/host_folders.h"
#include "platform/user_folders.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

// The real path of a folder, or the text itself when it cannot be resolved
// (a folder that does not exist matches nothing real).
std::string RealOr(const std::string& path) { return platform::RealFolder(path).value_or(path); }

}  // namespace

std::optional<std::string> ProtectedFolderReason(const std::string& host_folder) {
  const std::optional<std::string> real = platform::RealFolder(host_folder);
  if (!real) return std::nullopt;
  if (*real == "/") return "the root folder";
  if (*real == RealOr(platform::HomeDir())) return "your home folder";
  for (const std::string& folder : platform::UserFolders()) {
    if (*real == RealOr(folder)) return "one of your own folders (" + folder + ")";
  }
  if (IsSystemFolder(*real)) return "a system folder";
  return std::nullopt;
}

}  // namespace vorlix
