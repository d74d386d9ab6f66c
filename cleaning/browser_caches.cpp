// SPDX-License-Identifier: MIT
// Finds the cache folders of the browsers the current user has, the desktop's thumbnail cache and the
// Internet Explorer caches inside Wine prefixes.
#include "cleaning/browser_caches.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

#include "cleaning/search_places.h"
#include "platform/host_folders.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

// A browser and the programs that show it is running: a process matches when
// its program file's or short name is one of `programs`.
struct Browser {
  std::string_view name;
  std::vector<std::string_view> programs;
};

// A folder holding one folder per profile, below a place of the search.
enum class Base { kHome, kCacheHome };
struct ProfileRoot {
  Base base;
  std::string_view path;
  std::string_view browser;
};

const std::vector<Browser>& Browsers() {
  static const std::vector<Browser> browsers = {
      {"Firefox", {"firefox", "firefox-bin", "firefox-esr"}},
      {"Firefox (Snap)", {"firefox", "firefox-bin"}},
      {"Firefox (Flatpak)", {"firefox", "firefox-bin"}},
      {"Chromium", {"chromium", "chromium-browser", "chromium-browse"}},
      {"Google Chrome", {"chrome", "google-chrome"}},
      {"Brave", {"brave", "brave-browser"}},
      {"Microsoft Edge", {"msedge", "microsoft-edge"}},
      {"Vivaldi", {"vivaldi", "vivaldi-bin"}},
      {"Opera", {"opera"}},
      {"Internet Explorer (Wine)", {"iexplore.exe"}},
  };
  return browsers;
}

// Firefox keeps each profile's cache in <profile>/cache2/entries.
const std::vector<ProfileRoot> kFirefoxRoots = {
    {Base::kCacheHome, "mozilla/firefox", "Firefox"},
    {Base::kHome, ".mozilla/firefox", "Firefox"},
    {Base::kHome, "snap/firefox/common/.cache/mozilla/firefox", "Firefox (Snap)"},
    {Base::kHome, ".var/app/org.mozilla.firefox/cache/mozilla/firefox", "Firefox (Flatpak)"},
};

// The Chromium family keeps <profile>/Cache/Cache_Data and the subfolders of
// <profile>/Code Cache. Opera keeps one profile in the root itself.
const std::vector<ProfileRoot> kChromiumRoots = {
    {Base::kCacheHome, "chromium", "Chromium"},
    {Base::kHome, "snap/chromium/common/.cache/chromium", "Chromium"},
    {Base::kHome, ".var/app/org.chromium.Chromium/cache/chromium", "Chromium"},
    {Base::kCacheHome, "google-chrome", "Google Chrome"},
    {Base::kCacheHome, "google-chrome-beta", "Google Chrome"},
    {Base::kCacheHome, "google-chrome-unstable", "Google Chrome"},
    {Base::kCacheHome, "BraveSoftware/Brave-Browser", "Brave"},
    {Base::kHome, ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser", "Brave"},
    {Base::kCacheHome, "microsoft-edge", "Microsoft Edge"},
    {Base::kCacheHome, "microsoft-edge-beta", "Microsoft Edge"},
    {Base::kCacheHome, "microsoft-edge-dev", "Microsoft Edge"},
    {Base::kCacheHome, "vivaldi", "Vivaldi"},
    {Base::kCacheHome, "opera", "Opera"},
};

// Below drive_c/users/<user> of a Wine prefix: folders whose subfolders hold
// Internet Explorer's cache files.
const std::vector<std::string_view> kWineCacheFolders = {
    "AppData/Local/Microsoft/Windows/INetCache/IE",
    "AppData/Local/Microsoft/Windows/Temporary Internet Files/Content.IE5",
    "Local Settings/Temporary Internet Files/Content.IE5",
};

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsRunning(std::string_view browser, const std::vector<platform::RunningProgram>& running) {
  const auto known = std::find_if(Browsers().begin(), Browsers().end(),
                                  [&](const Browser& b) { return b.name == browser; });
  if (known == Browsers().end()) return false;
  return std::any_of(running.begin(), running.end(), [&](const platform::RunningProgram& program) {
    return std::any_of(known->programs.begin(), known->programs.end(), [&](std::string_view name) {
      return BaseName(program.executable) == name || program.name == name;
    });
  });
}

// Real folders that a browser's caches lie in.
using Places = std::vector<std::string>;

class CacheSearch {
 public:
  CacheSearch(const CacheSearchPlaces& places, const std::vector<platform::RunningProgram>& running)
      : places_(places), running_(running) {
    AddPlace(places.home, linux_places_);
    AddPlace(places.cache_home, linux_places_);
    // A Wine prefix is a folder that holds drive_c; its caches lie below that.
    AddPlace(platform::JoinHostPath(places.home, ".wine/drive_c"), wine_drives_);
    if (!places.wine_prefix.empty()) AddPlace(platform::JoinHostPath(places.wine_prefix, "drive_c"), wine_drives_);
  }

  std::vector<FoundCache> Run() {
    for (const ProfileRoot& root : kFirefoxRoots) {
      for (const std::string& profile : Subfolders(Path(root), linux_places_)) {
        Add(root.browser, profile, platform::JoinHostPath(Path(root), profile) + "/cache2/entries", linux_places_);
      }
    }
    for (const ProfileRoot& root : kChromiumRoots) {
      const std::string base = Path(root);
      if (root.browser == "Opera") AddChromiumProfile(root.browser, "Default", base);
      for (const std::string& profile : Subfolders(base, linux_places_)) {
        AddChromiumProfile(root.browser, profile, platform::JoinHostPath(base, profile));
      }
    }
    const std::string thumbnails = platform::JoinHostPath(places_.cache_home, "thumbnails");
    for (const std::string& size : Subfolders(thumbnails, linux_places_)) {
      Add("Thumbnails", size, platform::JoinHostPath(thumbnails, size), linux_places_);
    }
    for (const std::string& drive_c : wine_drives_) AddWineDrive(drive_c);
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

  std::string Path(const ProfileRoot& root) const {
    return platform::JoinHostPath(root.base == Base::kHome ? places_.home : places_.cache_home, std::string(root.path));
  }

  // The real path of a folder, when it exists and lies in one of `places`;
  // links are followed only as far as that.
  static std::optional<std::string> InPlaces(const std::string& folder, const Places& places) {
    std::optional<std::string> real = platform::RealFolder(folder);
    if (!real) return std::nullopt;
    const bool inside = std::any_of(places.begin(), places.end(),
                                    [&](const std::string& place) { return IsInsideFolder(*real, place); });
    return inside ? real : std::nullopt;
  }

  static std::vector<std::string> Subfolders(const std::string& folder, const Places& places) {
    const std::optional<std::string> real = InPlaces(folder, places);
    return real ? platform::SubfolderNames(*real) : std::vector<std::string>{};
  }

  void AddChromiumProfile(std::string_view browser, const std::string& profile, const std::string& folder) {
    Add(browser, profile, folder + "/Cache/Cache_Data", linux_places_);
    for (const std::string& kind : Subfolders(folder + "/Code Cache", linux_places_)) {
      Add(browser, profile, folder + "/Code Cache/" + kind, linux_places_);
    }
  }

  void AddWineDrive(const std::string& drive_c) {
    const Places drive = {drive_c};
    const std::string users = platform::JoinHostPath(drive_c, "users");
    for (const std::string& user : Subfolders(users, drive)) {
      for (std::string_view cache : kWineCacheFolders) {
        const std::string parent = platform::JoinHostPath(platform::JoinHostPath(users, user), std::string(cache));
        for (const std::string& part : Subfolders(parent, drive)) {
          Add("Internet Explorer (Wine)", user, platform::JoinHostPath(parent, part), drive);
        }
      }
    }
  }

  // Lists a folder by its real path. A folder that is a place of the search
  // or holds one (a link to the home folder) is never listed, nor one listed
  // already.
  void Add(std::string_view browser, const std::string& profile, const std::string& folder, const Places& places) {
    const std::optional<std::string> real = InPlaces(folder, places);
    if (!real || HoldsPlace(*real) || !seen_.insert(*real).second) return;
    const platform::FileTally tally = platform::TallyFiles(*real);
    if (tally.files == 0) return;
    found_.push_back({std::string(browser), profile, *real, tally.files, tally.bytes, IsRunning(browser, running_)});
  }

  bool HoldsPlace(const std::string& folder) const {
    return std::any_of(every_place_.begin(), every_place_.end(),
                       [&](const std::string& place) { return IsInsideFolder(place, folder); });
  }

  const CacheSearchPlaces& places_;
  const std::vector<platform::RunningProgram>& running_;
  Places linux_places_;
  Places wine_drives_;
  Places every_place_;
  std::set<std::string> seen_;
  std::vector<FoundCache> found_;
};

}  // namespace

CacheSearchPlaces UserCacheSearchPlaces() {
  return {platform::HomeDir(), platform::CacheHome(), platform::WinePrefix()};
}

std::vector<FoundCache> FindBrowserCaches(const CacheSearchPlaces& places,
                                          const std::vector<platform::RunningProgram>& running) {
  return CacheSearch(places, running).Run();
}

}  // namespace vorlix
