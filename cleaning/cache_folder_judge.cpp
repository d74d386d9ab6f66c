// SPDX-License-Identifier: MIT
// The look a cache folder gets before it is listed and again before it is emptied.
#include "cleaning/cache_folder_judge.h"

#include <vector>

#include "cleaning/search_places.h"
#include "platform/host_folders.h"
#include "platform/mount_table.h"

namespace vorlix {

std::optional<std::string> CacheFolderProblem(const std::string& folder, const std::string& place,
                                              const ProtectedFolders& protected_folders) {
  if (platform::RealFolder(folder) != folder || platform::RealFolder(place) != place || folder == place ||
      !IsInsideFolder(folder, place)) {
    return "no longer where it was found, inside the browser's own folders";
  }
  if (IsSystemFolder(folder)) return "a system folder";
  if (std::optional<std::string> reason = protected_folders.Reason(folder)) return reason;
  const std::vector<platform::MountEntry> mounts = platform::ProcessMounts();
  const std::string lies = platform::WhereItLies(folder, mounts);
  if (!IsInsideFolder(lies, platform::WhereItLies(place, mounts))) return "a mount of " + lies;
  return std::nullopt;
}

}  // namespace vorlix
