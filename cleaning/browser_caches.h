// SPDX-License-Identifier: MIT
// Finds the cache sets of the browsers the current user has, the desktop's
// thumbnail cache and the Internet Explorer caches inside Wine prefixes: per
// browser and profile, the cache folders that may be emptied while the
// browser is closed. The search only reads, and each browser's folders are
// looked for and listed only below that browser's own places, whatever links
// lead elsewhere.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/host_folders.h"
#include "platform/processes.h"

namespace vorlix {

// Where to look. The browsers of the system keep their profiles and caches
// below `home`, `config_home` or `cache_home`, which may lie outside the home
// folder; Internet Explorer keeps them below the drive_c of "~/.wine" and of
// `wine_prefix` (empty for none besides "~/.wine"). A place that is "/" or a
// folder of the system is never searched.
struct CacheSearchPlaces {
  std::string home;
  std::string cache_home;
  std::string wine_prefix;
  std::string config_home;
};

// The current user's places: $HOME, the XDG cache folder, $WINEPREFIX and
// the XDG config folder.
CacheSearchPlaces UserCacheSearchPlaces();

// One cache folder of a set; emptying it takes the files in it and in its
// subfolders and leaves the folders.
struct CacheFolder {
  std::string folder;          // real host path (links resolved)
  std::string place;           // the real place of the search it was found in
  platform::FileTally whole;   // files in it and its subfolders (links counted, never followed)
  platform::FileTally direct;  // files directly in it: what a user button holding it empties
};

// A folder a browser's caches would be looked for in, left alone because it
// is not what it should be: a link, a mount of another folder, a profile that
// holds no profile, a folder the user keeps their own files in.
struct LeftAloneFolder {
  std::string folder;  // the path as the browser's folders lead to it
  std::string why;     // a phrase after "is": "a link to /home/ann/Documents"
};

// "<folder> is <why>: left alone".
std::string LeftAloneText(const LeftAloneFolder& left);

struct CacheSet {
  std::string browser;  // "Firefox (Snap)", "Google Chrome", "Thumbnails", ...
  std::string profile;  // the profile folder's name; empty for caches kept once for all profiles
  std::vector<CacheFolder> folders;  // every existing cache folder of the profile
  std::uint64_t files = 0;           // the sums of the folders' whole tallies
  std::uint64_t bytes = 0;
  bool browser_running = false;  // the browser runs on this profile: its caches must be left alone
  std::vector<LeftAloneFolder> left_alone;  // what the search met on the way and did not take
};

// The first folder of a set that holds files directly, the one a user button
// can hold; nullptr when none does.
const CacheFolder* ButtonFolder(const CacheSet& set);

// What the search tells of each folder: its files and sizes (whole and
// direct), or only how many files it holds in all (a run that sizes each
// file as it goes needs no more, and the count is far quicker).
enum class CacheFigures { kSizes, kCountOnly };

// Every cache set holding files or naming a folder left alone, in a fixed
// order: browsers as listed in the help, profiles by name. A folder reached
// twice (the same Wine prefix named two ways) is listed once; a place of the
// search and a folder that holds one (a link to the home folder) are never
// listed. Only a browser's own folder (the profiles, user-data or cache
// folder a browser keeps, or a profile that profiles.ini names outside it)
// may be reached through links; every folder below it down to each cache
// folder must be a real folder, or it is left alone and named. A profile
// named in profiles.ini is taken only when it is a folder of this user
// holding a profile (prefs.js, times.json or compatibility.ini) and no
// protected folder, and a relative one only when it stays inside the
// profiles folder. A Mozilla profile's caches count as in use when any
// layout that shares their cache folder holds the profile running. `running` decides only for
// browsers that leave no mark in their profiles (Internet Explorer under Wine).
// Only the sets `wanted` takes (by browser and profile), when given, are
// read and figured; the others are passed by as sets without files.
using CacheSetFilter = std::function<bool(const std::string& browser, const std::string& profile)>;
std::vector<CacheSet> FindBrowserCaches(const CacheSearchPlaces& places,
                                        const std::vector<platform::RunningProgram>& running,
                                        CacheFigures figures = CacheFigures::kSizes, const CacheSetFilter& wanted = {});

// A profile of a browser that marks in a folder of its own that it runs on
// it, as a cache set of that browser and profile would be named.
struct BrowserProfile {
  std::string browser;
  std::string profile;
  std::string marks;     // the Mozilla profile or the Chromium user-data folder; empty for a Mozilla
                         // profile found only by its cache folder, whose marks another layout holds
  bool running = false;  // as the cache sets have it
};

// The profiles of every browser that marks its runs (not the thumbnails,
// nor Internet Explorer under Wine), found as FindBrowserCaches finds them
// but without a look into any cache folder; and the folders where new
// profiles of them would show: each browser's profiles or user-data folder,
// or the nearest folder above it that exists, within the search's places.
struct BrowserProfiles {
  std::vector<BrowserProfile> profiles;
  std::set<std::string> appear_in;
};
BrowserProfiles FindBrowserProfiles(const CacheSearchPlaces& places);

// FindBrowserCaches in the current user's places, with the programs running now.
std::vector<CacheSet> FindUserBrowserCaches(CacheFigures figures = CacheFigures::kSizes,
                                            const CacheSetFilter& wanted = {});

}  // namespace vorlix
