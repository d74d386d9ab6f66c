// SPDX-License-Identifier: MIT
// The look a cache folder gets before it is listed and again before it is emptied.
#include "cleaning/cache_folder_judge.h"

#include "cleaning/search_places.h"
#include "platform/host_folders.h"

namespace vorlix {

std::optional<std::string> CacheFolderProblem(const std::string& folder, const std::string& place,
                                              const ProtectedFolders& protected_folders) {
  if (platform::RealFolder(folder) != folder || platform::RealFolder(place) != place || folder == place ||
      !IsInsideFolder(folder, place)) {
    return "no longer where it was found, inside the browser's own folders";
  }
  if (std::optional<std::string> reason = protected_folders.Reason(folder)) return reason;
  const std::string lies = protected_folders.WhereItLies(folder);
  if (!IsInsideFolder(lies, protected_folders.WhereItLies(place))) return "a mount of " + lies;
  return std::nullopt;
}

}  // namespace vorlix
