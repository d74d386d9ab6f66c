// SPDX-License-Identifier: MIT
// The look a cache folder gets before it is listed and again before it is
// emptied: it must be a real folder that lies inside the place it was found
// in, judged by what it is, not by the text of its path.
#pragma once

#include <optional>
#include <string>

#include "cleaning/protected_folders.h"

namespace vorlix {

// Why the cache folder `folder` (a real path, as the search found it inside
// the real folder `place`) must be left alone, as a phrase after "is"
// ("a mount of /home/ann/Documents", "your home folder"); nothing when it
// may be emptied. It must still be that real path, below the place and not
// the place itself, and where it really lies (past bind mounts) must be
// below where the place really lies; it must be no protected folder.
std::optional<std::string> CacheFolderProblem(const std::string& folder, const std::string& place,
                                              const ProtectedFolders& protected_folders = ProtectedFolders());

}  // namespace vorlix
