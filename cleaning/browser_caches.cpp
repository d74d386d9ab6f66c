// SPDX-License-Identifier: MIT
// Finds the cache sets of the browsers the current user has, the desktop's thumbnail cache and the
// Internet Explorer caches inside Wine prefixes.
#include "cleaning/browser_caches.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "cleaning/browser_cache_table.h"
#include "cleaning/browser_locks.h"
#include "cleaning/mozilla_profiles.h"
#include "cleaning/search_places.h"
#include "platform/small_files.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsRunning(const BrowserRow& browser, const std::vector<platform::RunningProgram>& running) {
  return std::any_of(running.begin(), running.end(), [&](const platform::RunningProgram& program) {
    return std::any_of(browser.programs.begin(), browser.programs.end(), [&](std::string_view name) {
      return BaseName(program.executable) == name || program.name == name;
    });
  });
}

// Real folders that a browser's caches lie in.
using Places = std::vector<std::string>;

// A profile: its own folder (where a browser marks that it runs) and the
// folder on the cache side by the same name; either may be missing.
struct Profile {
  std::string own;
  std::string cache_side;
};

class CacheSearch {
 public:
  CacheSearch(const CacheSearchPlaces& places, const std::vector<platform::RunningProgram>& running,
              CacheFigures figures, const CacheSetFilter& wanted)
      : places_(places),
        figures_(figures),
        wanted_(wanted),
        running_(running) {
    AddPlace(places.home, linux_places_);
    AddPlace(places.cache_home, linux_places_);
    AddPlace(places.config_home, linux_places_);
    // A Wine prefix is a folder that holds drive_c; its caches lie below that.
    AddPlace(platform::JoinHostPath(places.home, ".wine/drive_c"), wine_drives_);
    if (!places.wine_prefix.empty()) AddPlace(platform::JoinHostPath(places.wine_prefix, "drive_c"), wine_drives_);
  }

  std::vector<CacheSet> Run() {
    for (const BrowserRow& browser : BrowserTable()) {
      switch (browser.family) {
        case BrowserFamily::kMozilla: AddMozilla(browser); break;
        case BrowserFamily::kChromium:
        case BrowserFamily::kChromiumOne: AddChromium(browser); break;
        case BrowserFamily::kThumbnails:
          AddProfile(browser, "", {"", Path(browser.profiles)}, false, linux_places_);
          break;
        case BrowserFamily::kWineIe:
          for (const std::string& drive_c : wine_drives_) AddWineDrive(browser, drive_c);
          break;
      }
    }
    return std::move(found_);
  }

 private:
  // Takes the real folder of an existing place, unless it is "/" or a folder
  // of the system: no cache is looked for there.
  void AddPlace(const std::string& place, Places& places) {
    const std::optional<std::string> real = platform::RealFolder(place);
    if (!real) return;
    every_place_.push_back(*real);
    if (!IsSystemFolder(*real)) places.push_back(*real);
  }

  std::string Path(const BrowserPlace& place, const std::string& drive_c = {}) const {
    const std::string* base = &places_.home;
    if (place.base == Base::kConfigHome) base = &places_.config_home;
    if (place.base == Base::kCacheHome) base = &places_.cache_home;
    if (place.base == Base::kWineDrive) base = &drive_c;
    return place.path.empty() ? *base : platform::JoinHostPath(*base, std::string(place.path));
  }

  // The real path of a folder, when it exists and lies in one of `places`;
  // links are followed only as far as that.
  static std::optional<std::string> InPlaces(const std::string& folder, const Places& places) {
    std::optional<std::string> real = platform::RealFolder(folder);
    if (!real || PlaceOf(*real, places) == nullptr) return std::nullopt;
    return real;
  }

  // The place a real path lies in; null when none.
  static const std::string* PlaceOf(const std::string& real, const Places& places) {
    const auto place = std::find_if(places.begin(), places.end(),
                                    [&](const std::string& each) { return IsInsideFolder(real, each); });
    return place == places.end() ? nullptr : &*place;
  }

  static std::vector<std::string> Subfolders(const std::string& folder, const Places& places) {
    const std::optional<std::string> real = InPlaces(folder, places);
    return real ? platform::SubfolderNames(*real) : std::vector<std::string>{};
  }

  // Profiles from profiles.ini and the folders of the profiles and cache
  // folders. A profile listed with a path outside the profiles folder keeps
  // its caches inside itself, and is taken only when it is a folder of this
  // user in the browser's places.
  void AddMozilla(const BrowserRow& browser) {
    const std::string profiles = Path(browser.profiles);
    const std::string caches = Path(browser.caches);
    std::map<std::string, Profile> found;
    const auto by_name = [&](const std::string& name) {
      found.try_emplace(name, Profile{platform::JoinHostPath(profiles, name), platform::JoinHostPath(caches, name)});
    };
    const std::optional<std::string> real_profiles = InPlaces(profiles, linux_places_);
    if (real_profiles) {
      const std::string ini = platform::ReadSmallFile(*real_profiles + "/profiles.ini").value_or("");
      for (const ListedProfile& listed : ParseProfilesIni(ini)) {
        if (listed.relative) {
          const std::optional<std::string> real = platform::RealFolder(platform::JoinHostPath(profiles, listed.path));
          if (!real || platform::IsOwnFolder(*real)) by_name(listed.path);
          continue;
        }
        const std::optional<std::string> real = InPlaces(listed.path, linux_places_);
        if (!real || !platform::IsOwnFolder(*real)) continue;
        if (IsInsideFolder(*real, *real_profiles) && *real != *real_profiles) {
          by_name(real->substr(real_profiles->size() + 1));
        } else {
          found.try_emplace(*real, Profile{*real, ""});
        }
      }
    }
    for (const std::string& name : Subfolders(profiles, linux_places_)) by_name(name);
    for (const std::string& name : Subfolders(caches, linux_places_)) by_name(name);
    for (const auto& [name, profile] : found) {
      const bool running = MozillaProfileInUse(profile.own);
      AddProfile(browser, std::string(BaseName(name)), profile, running, linux_places_);
    }
  }

  // Each profile folder of the user-data and cache folders (or those folders
  // themselves for a browser with one profile), and the caches kept once for
  // all profiles. The browser runs on all of them or on none.
  void AddChromium(const BrowserRow& browser) {
    const std::string user_data = Path(browser.profiles);
    const std::string caches = Path(browser.caches);
    const bool running = ChromiumProfileInUse(user_data);
    if (browser.family == BrowserFamily::kChromiumOne) {
      AddProfile(browser, "Default", {user_data, caches}, running, linux_places_);
      return;
    }
    std::set<std::string> names;
    for (const std::string& name : Subfolders(user_data, linux_places_)) names.insert(name);
    for (const std::string& name : Subfolders(caches, linux_places_)) names.insert(name);
    for (const std::string& name : names) {
      AddProfile(browser, name, {platform::JoinHostPath(user_data, name), platform::JoinHostPath(caches, name)},
                 running, linux_places_);
    }
    CacheSet set{std::string(browser.name), "", {}, 0, 0, running};
    for (std::string_view cache : SharedCacheFolders(browser.family)) AddFolders(set, user_data, cache, linux_places_);
    Keep(std::move(set));
  }

  void AddWineDrive(const BrowserRow& browser, const std::string& drive_c) {
    const Places drive = {drive_c};
    const std::string users = Path(browser.profiles, drive_c);
    const bool running = IsRunning(browser, running_);
    for (const std::string& user : Subfolders(users, drive)) {
      AddProfile(browser, user, {platform::JoinHostPath(users, user), {}}, running, drive);
    }
  }

  // A profile's set: its cache folders on the cache side, then in the profile
  // itself, each looked for below `places`.
  void AddProfile(const BrowserRow& browser, const std::string& name, const Profile& profile, bool running,
                  const Places& places) {
    CacheSet set{std::string(browser.name), name, {}, 0, 0, running};
    for (std::string_view cache : ProfileCacheFolders(browser.family)) {
      if (!profile.cache_side.empty()) AddFolders(set, profile.cache_side, cache, places);
      if (!profile.own.empty()) AddFolders(set, profile.own, cache, places);
    }
    Keep(std::move(set));
  }

  // Adds the folder `cache` below `parent`; a name ending in "*" adds each
  // subfolder it begins.
  void AddFolders(CacheSet& set, const std::string& parent, std::string_view cache, const Places& places) {
    if (!cache.ends_with('*')) {
      AddFolder(set, platform::JoinHostPath(parent, std::string(cache)), places);
      return;
    }
    const std::string pattern = platform::JoinHostPath(parent, std::string(cache.substr(0, cache.size() - 1)));
    const std::string folder = pattern.substr(0, pattern.rfind('/'));
    const std::string_view start = BaseName(pattern);
    for (const std::string& name : Subfolders(folder, places)) {
      if (name.starts_with(start)) AddFolder(set, platform::JoinHostPath(folder, name), places);
    }
  }

  // Adds a folder by its real path. A folder that is a place of the search
  // or holds one (a link to the home folder) is never added, nor one added
  // already. A folder of a set that is not wanted is seen but not read.
  void AddFolder(CacheSet& set, const std::string& folder, const Places& places) {
    const std::optional<std::string> real = InPlaces(folder, places);
    if (!real || HoldsPlace(*real) || !seen_.insert(*real).second) return;
    if (wanted_ && !wanted_(set.browser, set.profile)) return;
    CacheFolder cache{*real, *PlaceOf(*real, places), {}, {}};
    if (figures_ == CacheFigures::kSizes) {
      cache.whole = platform::TallyTree(*real, &cache.direct);
    } else {
      cache.whole.files = platform::CountTreeFiles(*real);
    }
    set.files += cache.whole.files;
    set.bytes += cache.whole.bytes;
    set.folders.push_back(std::move(cache));
  }

  // Keeps a set that holds files.
  void Keep(CacheSet set) {
    if (set.files > 0) found_.push_back(std::move(set));
  }

  bool HoldsPlace(const std::string& folder) const {
    return std::any_of(every_place_.begin(), every_place_.end(),
                       [&](const std::string& place) { return IsInsideFolder(place, folder); });
  }

  const CacheSearchPlaces& places_;
  const CacheFigures figures_;
  const CacheSetFilter& wanted_;
  const std::vector<platform::RunningProgram>& running_;
  Places linux_places_;
  Places wine_drives_;
  Places every_place_;
  std::set<std::string> seen_;
  std::vector<CacheSet> found_;
};

}  // namespace

CacheSearchPlaces UserCacheSearchPlaces() {
  return {platform::HomeDir(), platform::CacheHome(), platform::WinePrefix(), platform::ConfigHome()};
}

const CacheFolder* ButtonFolder(const CacheSet& set) {
  const auto first = std::find_if(set.folders.begin(), set.folders.end(),
                                  [](const CacheFolder& folder) { return folder.direct.files > 0; });
  return first == set.folders.end() ? nullptr : &*first;
}

std::vector<CacheSet> FindUserBrowserCaches(CacheFigures figures, const CacheSetFilter& wanted) {
  return FindBrowserCaches(UserCacheSearchPlaces(), platform::RunningPrograms(), figures, wanted);
}

std::vector<CacheSet> FindBrowserCaches(const CacheSearchPlaces& places,
                                        const std::vector<platform::RunningProgram>& running, CacheFigures figures,
                                        const CacheSetFilter& wanted) {
  return CacheSearch(places, running, figures, wanted).Run();
}

}  // namespace vorlix
