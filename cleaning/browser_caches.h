// SPDX-License-Identifier: MIT
// Finds the cache folders of the browsers the current user has, the desktop's
// thumbnail cache and the Internet Explorer caches inside Wine prefixes. The
// search only reads, and each browser's folders are looked for and listed only
// below that browser's own places, whatever links lead elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace vorlix {

// Where to look. The browsers of the system keep their caches below `home` or
// `cache_home`, which may lie outside the home folder; Internet Explorer keeps
// them below the drive_c of "~/.wine" and of `wine_prefix` (empty for none
// besides "~/.wine"). A place that is "/" or a folder of the system is never
// searched.
struct CacheSearchPlaces {
  std::string home;
  std::string cache_home;
  std::string wine_prefix;
};

// The current user's places: $HOME, the XDG cache folder and $WINEPREFIX.
CacheSearchPlaces UserCacheSearchPlaces();

struct FoundCache {
  std::string browser;  // "Firefox (Snap)", "Google Chrome", "Thumbnails", ...
  std::string profile;  // the profile folder's name; the subfolder for thumbnails
  std::string folder;   // real host path (links resolved) of the folder that holds the files
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  bool browser_running = false;  // a process of the browser that owns it runs
};

// Every existing cache folder that holds files directly, in a fixed order:
// browsers as listed in the help, profiles by name. A folder reached twice
// (the same Wine prefix named two ways) is listed once; a place of the search
// and a folder that holds one (a link to the home folder) are never listed.
std::vector<FoundCache> FindBrowserCaches(const CacheSearchPlaces& places,
                                          const std::vector<platform::RunningProgram>& running);

}  // namespace vorlix
