// SPDX-License-Identifier: MIT
// Finds the cache folders of the browsers the current user has, the desktop's
// thumbnail cache and the Internet Explorer caches inside Wine prefixes. The
// search only reads, and it never reads a folder that a link leads to outside
// the places it was given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace vorlix {

// Where to look. `cache_home` and `wine_prefix` may lie outside the home folder
// when they were set that way; a link never leads the search out of these
// places. An empty `wine_prefix` means none besides the default "~/.wine".
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
  std::string folder;   // host path of the folder that holds the files
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  bool browser_running = false;  // a process of the browser that owns it runs
};

// Every existing cache folder that holds files directly, in a fixed order:
// browsers as listed in the help, profiles by name. A folder reached twice
// (the same Wine prefix named two ways) is listed once.
std::vector<FoundCache> FindBrowserCaches(const CacheSearchPlaces& places,
                                          const std::vector<platform::RunningProgram>& running);

}  // namespace vorlix
