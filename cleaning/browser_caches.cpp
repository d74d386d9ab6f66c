// SPDX-License-Identifier: MIT
// Finds the cache sets of the browsers the current user has, the desktop's thumbnail cache and the
// Internet Explorer caches inside Wine prefixes.
#include "cleaning/browser_caches.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "cleaning/browser_cache_table.h"
#include "cleaning/browser_locks.h"
#include "cleaning/cache_folder_judge.h"
#include "cleaning/mozilla_profiles.h"
#include "cleaning/protected_folders.h"
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
// folder on the cache side by the same name; either may be empty.
struct Profile {
  std::string own;
  std::string cache_side;
};

// A relative profile path that stays below the profiles folder: names
// only, no "." or "..".
bool StaysBelow(std::string_view path) {
  if (path.empty() || path.starts_with('/')) return false;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view part = path.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = end + 1;
  }
  return true;
}

bool SamePlace(const BrowserPlace& one, const BrowserPlace& other) {
  return one.base == other.base && one.path == other.path;
}

// The path itself when it exists, else the nearest folder above it that
// does; nothing above `place`.
std::optional<std::string> NearestExisting(std::string path, const std::string& place) {
  while (IsInsideFolder(path, place)) {
    if (platform::RealFolder(path)) return path;
    if (path == place) break;
    path.erase(path.rfind('/'));
  }
  return std::nullopt;
}

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

  // Keeps each profile of a browser that marks its runs in `profiles`.
  void TellProfiles(std::vector<BrowserProfile>* profiles) { profiles_ = profiles; }

  // Each marking browser's profiles folder, or the nearest folder above it
  // that exists within its place.
  std::set<std::string> ProfileFolders() const {
    std::set<std::string> folders;
    for (const BrowserRow& browser : BrowserTable()) {
      if (!MarksItsRuns(browser.family)) continue;
      const std::optional<std::string> existing =
          NearestExisting(Path(browser.profiles), Path({browser.profiles.base, ""}));
      if (existing) folders.insert(*existing);
    }
    return folders;
  }

  std::vector<CacheSet> Run() {
    for (const BrowserRow& browser : BrowserTable()) {
      switch (browser.family) {
        case BrowserFamily::kMozilla: AddMozilla(browser); break;
        case BrowserFamily::kChromium:
        case BrowserFamily::kChromiumOne: AddChromium(browser); break;
        case BrowserFamily::kThumbnails: {
          CacheSet set = NewSet(browser, "", false);
          const std::optional<std::string> own = Root(Path(browser.profiles), set, linux_places_);
          AddProfile(browser.family, std::move(set), {own.value_or(""), ""}, linux_places_);
          break;
        }
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

  static CacheSet NewSet(const BrowserRow& browser, const std::string& profile, bool running) {
    return CacheSet{std::string(browser.name), profile, {}, 0, 0, running, {}};
  }

  // Tells of a profile's set whose browser marks its runs in `marks`.
  void Met(const CacheSet& set, const std::string& marks) {
    if (profiles_ != nullptr) profiles_->push_back({set.browser, set.profile, marks, set.browser_running});
  }

  // The place a real path lies in; null when none.
  static const std::string* PlaceOf(const std::string& real, const Places& places) {
    const auto place = std::find_if(places.begin(), places.end(),
                                    [&](const std::string& each) { return IsInsideFolder(real, each); });
    return place == places.end() ? nullptr : &*place;
  }

  // Names a folder left alone in a set, once in the whole search.
  void Note(CacheSet& set, const std::string& folder, const std::string& why) {
    if (wanted_ && !wanted_(set.browser, set.profile)) return;
    if (noted_.insert(folder).second) set.left_alone.push_back({folder, why});
  }

  // A browser's own folder (its profiles, user-data or cache folder, or a
  // profile profiles.ini names elsewhere): the real folder a path leads to,
  // links followed, when it lies in one of `places` and is neither a folder
  // that holds a place nor a protected folder. The folders below it are
  // then taken only when no link leads to them (Below).
  std::optional<std::string> Root(const std::string& path, CacheSet& notes, const Places& places) {
    const std::optional<std::string> real = platform::RealFolder(path);
    if (!real) return std::nullopt;
    std::optional<std::string> why;
    if (PlaceOf(*real, places) == nullptr || HoldsPlace(*real)) {
      why = "a link to " + *real;
    } else {
      why = protected_.Reason(*real);
    }
    if (why) {
      Note(notes, path, *why);
      return std::nullopt;
    }
    roots_.push_back(*real);
    return real;
  }

  // The path, when it leads down from the deepest of the browsers' own
  // folders that holds it through real folders only; a link on the way is
  // named in `notes`.
  std::optional<std::string> Below(const std::string& path, CacheSet& notes) {
    const std::string* root = nullptr;
    for (const std::string& each : roots_) {
      if (IsInsideFolder(path, each) && (root == nullptr || each.size() > root->size())) root = &each;
    }
    if (root == nullptr) return std::nullopt;
    const platform::PathBelow below = platform::LookBelow(*root, path);
    if (below.kind == platform::PathBelow::kLink) {
      const std::optional<std::string> target = platform::LinkTarget(below.at);
      Note(notes, below.at, "a link to " + target.value_or("?"));
    }
    if (below.kind != platform::PathBelow::kFolder) return std::nullopt;
    return path;
  }

  std::vector<std::string> Subfolders(const std::optional<std::string>& folder, CacheSet& notes) {
    if (!folder || !Below(*folder, notes)) return {};
    return platform::SubfolderNames(*folder);
  }

  // Why a profile that profiles.ini names outside the profiles folder is not
  // taken; nothing when it is.
  std::optional<std::string> ListedProfileProblem(const std::string& real) const {
    if (PlaceOf(real, linux_places_) == nullptr) return "outside the browser's places";
    if (std::optional<std::string> reason = protected_.Reason(real)) return reason;
    if (HoldsPlace(real)) return "a folder that holds a place the browsers keep their folders in";
    if (!platform::IsOwnFolder(real)) return "not a folder of yours";
    const bool marked = std::any_of(kProfileMarks.begin(), kProfileMarks.end(), [&](std::string_view mark) {
      return platform::HoldsRegularFile(real, std::string(mark));
    });
    if (!marked) return "no profile: it holds no prefs.js, times.json or compatibility.ini";
    return std::nullopt;
  }

  // Whether a Mozilla browser runs on a profile: on its own folder, or on the
  // folder of the same name in any other layout whose cache folder it shares
  // (a profile may live in one layout while another layout's row finds its
  // caches).
  bool MozillaInUse(const BrowserRow& browser, const std::string& name, const Profile& profile) const {
    if (!profile.own.empty() && MozillaProfileInUse(profile.own)) return true;
    if (profile.cache_side.empty()) return false;
    return std::any_of(BrowserTable().begin(), BrowserTable().end(), [&](const BrowserRow& other) {
      return other.family == BrowserFamily::kMozilla && SamePlace(other.caches, browser.caches) &&
             MozillaProfileInUse(platform::JoinHostPath(Path(other.profiles), name));
    });
  }

  // Profiles from profiles.ini and the folders of the profiles and cache
  // folders.
  void AddMozilla(const BrowserRow& browser) {
    CacheSet notes = NewSet(browser, "", false);
    const std::optional<std::string> profiles = Root(Path(browser.profiles), notes, linux_places_);
    const std::optional<std::string> caches = Root(Path(browser.caches), notes, linux_places_);
    std::map<std::string, Profile> found;
    const auto by_name = [&](const std::string& name) {
      found.try_emplace(name, Profile{profiles ? platform::JoinHostPath(*profiles, name) : "",
                                      caches ? platform::JoinHostPath(*caches, name) : ""});
    };
    const std::string ini =
        profiles ? platform::ReadSmallFile(*profiles + "/profiles.ini").value_or("") : std::string();
    for (const ListedProfile& listed : ParseProfilesIni(ini)) {
      if (listed.relative) {
        if (StaysBelow(listed.path)) {
          by_name(listed.path);
        } else {
          Note(notes, platform::JoinHostPath(*profiles, listed.path),
               "named in profiles.ini but leads out of the profiles folder");
        }
        continue;
      }
      const std::optional<std::string> real = platform::RealFolder(listed.path);
      if (!real) continue;
      if (IsInsideFolder(*real, *profiles) && *real != *profiles) {
        by_name(real->substr(profiles->size() + 1));
      } else if (const std::optional<std::string> why = ListedProfileProblem(*real)) {
        Note(notes, listed.path, "named in profiles.ini but is " + *why);
      } else {
        roots_.push_back(*real);
        found.try_emplace(*real, Profile{*real, ""});
      }
    }
    for (const std::string& name : Subfolders(profiles, notes)) by_name(name);
    for (const std::string& name : Subfolders(caches, notes)) by_name(name);
    for (const auto& [name, profile] : found) {
      CacheSet set = NewSet(browser, std::string(BaseName(name)), MozillaInUse(browser, name, profile));
      Met(set, profile.own);
      AddProfile(browser.family, std::move(set), profile, linux_places_);
    }
    Keep(std::move(notes));
  }

  // Each profile folder of the user-data and cache folders (or those folders
  // themselves for a browser with one profile), and the caches kept once for
  // all profiles. The browser runs on all of them or on none.
  void AddChromium(const BrowserRow& browser) {
    const bool running = ChromiumProfileInUse(Path(browser.profiles));
    CacheSet shared = NewSet(browser, browser.family == BrowserFamily::kChromiumOne ? "Default" : "", running);
    const std::optional<std::string> user_data = Root(Path(browser.profiles), shared, linux_places_);
    const std::optional<std::string> caches = Root(Path(browser.caches), shared, linux_places_);
    if (user_data) Met(shared, *user_data);
    if (browser.family == BrowserFamily::kChromiumOne) {
      AddProfile(browser.family, std::move(shared), {user_data.value_or(""), caches.value_or("")}, linux_places_);
      return;
    }
    std::set<std::string> names;
    for (const std::string& name : Subfolders(user_data, shared)) names.insert(name);
    for (const std::string& name : Subfolders(caches, shared)) names.insert(name);
    for (const std::string& name : names) {
      if (user_data) Met(NewSet(browser, name, running), *user_data);
      AddProfile(browser.family, NewSet(browser, name, running),
                 {user_data ? platform::JoinHostPath(*user_data, name) : "",
                  caches ? platform::JoinHostPath(*caches, name) : ""},
                 linux_places_);
    }
    if (user_data) {
      for (std::string_view cache : SharedCacheFolders(browser.family)) AddFolders(shared, *user_data, cache, linux_places_);
    }
    Keep(std::move(shared));
  }

  void AddWineDrive(const BrowserRow& browser, const std::string& drive_c) {
    const Places drive = {drive_c};
    CacheSet notes = NewSet(browser, "", false);
    const std::optional<std::string> users = Root(Path(browser.profiles, drive_c), notes, drive);
    const bool running = IsRunning(browser, running_);
    for (const std::string& user : Subfolders(users, notes)) {
      AddProfile(browser.family, NewSet(browser, user, running), {platform::JoinHostPath(*users, user), {}}, drive);
    }
    Keep(std::move(notes));
  }

  // A profile's set: its cache folders on the cache side, then in the profile
  // itself, each looked for below `places`.
  void AddProfile(BrowserFamily family, CacheSet set, const Profile& profile, const Places& places) {
    for (std::string_view cache : ProfileCacheFolders(family)) {
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
    for (const std::string& name : Subfolders(folder, set)) {
      if (name.starts_with(start)) AddFolder(set, platform::JoinHostPath(folder, name), places);
    }
  }

  // Adds a folder reached from a browser's own folder through real folders
  // only. A folder that is a place of the search or holds one is never
  // added, nor one added already; one that CacheFolderProblem refuses is
  // named. A folder of a set that is not wanted is seen but not read.
  void AddFolder(CacheSet& set, const std::string& folder, const Places& places) {
    if (!Below(folder, set)) return;
    const std::string* place = PlaceOf(folder, places);
    if (place == nullptr || HoldsPlace(folder) || !seen_.insert(folder).second) return;
    if (wanted_ && !wanted_(set.browser, set.profile)) return;
    if (const std::optional<std::string> why = CacheFolderProblem(folder, *place, protected_)) {
      Note(set, folder, *why);
      return;
    }
    CacheFolder cache{folder, *place, {}, {}};
    if (figures_ == CacheFigures::kSizes) {
      cache.whole = platform::TallyTree(folder, &cache.direct);
    } else {
      cache.whole.files = platform::CountTreeFiles(folder);
    }
    set.files += cache.whole.files;
    set.bytes += cache.whole.bytes;
    set.folders.push_back(std::move(cache));
  }

  // Keeps a set that holds files or names a folder left alone.
  void Keep(CacheSet set) {
    if (set.files > 0 || !set.left_alone.empty()) found_.push_back(std::move(set));
  }

  bool HoldsPlace(const std::string& folder) const {
    return std::any_of(every_place_.begin(), every_place_.end(),
                       [&](const std::string& place) { return IsInsideFolder(place, folder); });
  }

  static constexpr std::array<std::string_view, 3> kProfileMarks = {"prefs.js", "times.json", "compatibility.ini"};

  const CacheSearchPlaces& places_;
  const ProtectedFolders protected_;
  const CacheFigures figures_;
  const CacheSetFilter& wanted_;
  const std::vector<platform::RunningProgram>& running_;
  Places linux_places_;
  Places wine_drives_;
  Places every_place_;
  Places roots_;  // the browsers' own folders found so far
  std::set<std::string> seen_;
  std::set<std::string> noted_;
  std::vector<CacheSet> found_;
  std::vector<BrowserProfile>* profiles_ = nullptr;
};


}  // namespace

std::string LeftAloneText(const LeftAloneFolder& left) { return left.folder + " is " + left.why + ": left alone"; }

CacheSearchPlaces UserCacheSearchPlaces() {
  return {platform::HomeDir(), platform::CacheHome(), platform::WinePrefix(), platform::ConfigHome()};
}

const CacheFolder* ButtonFolder(const CacheSet& set) {
  const auto first = std::find_if(set.folders.begin(), set.folders.end(),
                                  [](const CacheFolder& folder) { return folder.direct.files > 0; });
  return first == set.folders.end() ? nullptr : &*first;
}

BrowserProfiles FindBrowserProfiles(const CacheSearchPlaces& places) {
  BrowserProfiles found;
  const CacheSetFilter none = [](const std::string&, const std::string&) { return false; };
  CacheSearch search(places, {}, CacheFigures::kCountOnly, none);
  search.TellProfiles(&found.profiles);
  search.Run();
  found.appear_in = search.ProfileFolders();
  return found;
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
