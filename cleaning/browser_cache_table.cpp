// SPDX-License-Identifier: MIT
// What the cache finder knows about each browser, in one table.
#include "cleaning/browser_cache_table.h"

#include <array>

namespace vorlix {
namespace {

using F = BrowserFamily;

const std::vector<BrowserRow> kBrowsers = {
    {"Firefox", F::kMozilla, {Base::kHome, ".mozilla/firefox"}, {Base::kCacheHome, "mozilla/firefox"}, {}},
    {"Firefox", F::kMozilla, {Base::kConfigHome, "mozilla/firefox"}, {Base::kCacheHome, "mozilla/firefox"}, {}},
    {"Firefox (Snap)", F::kMozilla, {Base::kHome, "snap/firefox/common/.mozilla/firefox"},
     {Base::kHome, "snap/firefox/common/.cache/mozilla/firefox"}, {}},
    {"Firefox (Flatpak)", F::kMozilla, {Base::kHome, ".var/app/org.mozilla.firefox/.mozilla/firefox"},
     {Base::kHome, ".var/app/org.mozilla.firefox/cache/mozilla/firefox"}, {}},
    {"Thunderbird", F::kMozilla, {Base::kHome, ".thunderbird"}, {Base::kCacheHome, "thunderbird"}, {}},
    {"Chromium", F::kChromium, {Base::kConfigHome, "chromium"}, {Base::kCacheHome, "chromium"}, {}},
    {"Chromium (Snap)", F::kChromium, {Base::kHome, "snap/chromium/common/chromium"},
     {Base::kHome, "snap/chromium/common/.cache/chromium"}, {}},
    {"Chromium (Flatpak)", F::kChromium, {Base::kHome, ".var/app/org.chromium.Chromium/config/chromium"},
     {Base::kHome, ".var/app/org.chromium.Chromium/cache/chromium"}, {}},
    {"Google Chrome", F::kChromium, {Base::kConfigHome, "google-chrome"}, {Base::kCacheHome, "google-chrome"}, {}},
    {"Google Chrome Beta", F::kChromium, {Base::kConfigHome, "google-chrome-beta"},
     {Base::kCacheHome, "google-chrome-beta"}, {}},
    {"Google Chrome Unstable", F::kChromium, {Base::kConfigHome, "google-chrome-unstable"},
     {Base::kCacheHome, "google-chrome-unstable"}, {}},
    {"Google Chrome (Flatpak)", F::kChromium, {Base::kHome, ".var/app/com.google.Chrome/config/google-chrome"},
     {Base::kHome, ".var/app/com.google.Chrome/cache/google-chrome"}, {}},
    {"Brave", F::kChromium, {Base::kConfigHome, "BraveSoftware/Brave-Browser"},
     {Base::kCacheHome, "BraveSoftware/Brave-Browser"}, {}},
    {"Brave (Snap)", F::kChromium, {Base::kHome, "snap/brave/current/.config/BraveSoftware/Brave-Browser"},
     {Base::kHome, "snap/brave/common/.cache/BraveSoftware/Brave-Browser"}, {}},
    {"Brave (Flatpak)", F::kChromium, {Base::kHome, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"},
     {Base::kHome, ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser"}, {}},
    {"Microsoft Edge", F::kChromium, {Base::kConfigHome, "microsoft-edge"}, {Base::kCacheHome, "microsoft-edge"}, {}},
    {"Microsoft Edge Beta", F::kChromium, {Base::kConfigHome, "microsoft-edge-beta"},
     {Base::kCacheHome, "microsoft-edge-beta"}, {}},
    {"Microsoft Edge Dev", F::kChromium, {Base::kConfigHome, "microsoft-edge-dev"},
     {Base::kCacheHome, "microsoft-edge-dev"}, {}},
    {"Microsoft Edge (Flatpak)", F::kChromium, {Base::kHome, ".var/app/com.microsoft.Edge/config/microsoft-edge"},
     {Base::kHome, ".var/app/com.microsoft.Edge/cache/microsoft-edge"}, {}},
    {"Vivaldi", F::kChromium, {Base::kConfigHome, "vivaldi"}, {Base::kCacheHome, "vivaldi"}, {}},
    {"Opera", F::kChromiumOne, {Base::kConfigHome, "opera"}, {Base::kCacheHome, "opera"}, {}},
    {"Thumbnails", F::kThumbnails, {Base::kCacheHome, "thumbnails"}, {Base::kCacheHome, ""}, {}},
    {"Internet Explorer (Wine)", F::kWineIe, {Base::kWineDrive, "users"}, {Base::kWineDrive, ""}, {"iexplore.exe"}},
};

// The first of a profile's folders is the one a user button best holds.
constexpr std::array<std::string_view, 6> kMozillaCaches = {
    "cache2/entries", "cache2/doomed", "cache2/trash*", "startupCache", "jumpListCache", "thumbnails",
};
constexpr std::array<std::string_view, 10> kChromiumCaches = {
    "Cache/Cache_Data", "Cache/No_Vary_Search", "Code Cache",  "GPUCache",    "DawnGraphiteCache",
    "DawnWebGPUCache",  "GrShaderCache",        "ShaderCache", "Media Cache", "Service Worker/ScriptCache",
};
constexpr std::array<std::string_view, 4> kChromiumSharedCaches = {
    "GrShaderCache", "ShaderCache", "GraphiteDawnCache", "DawnGraphiteCache",
};
// The thumbnail sizes and the record of files that could not be shown.
constexpr std::array<std::string_view, 5> kThumbnailCaches = {"normal", "large", "x-large", "xx-large", "fail"};
// Below drive_c/users/<user> of a Wine prefix.
constexpr std::array<std::string_view, 3> kWineIeCaches = {
    "AppData/Local/Microsoft/Windows/INetCache/IE",
    "AppData/Local/Microsoft/Windows/Temporary Internet Files/Content.IE5",
    "Local Settings/Temporary Internet Files/Content.IE5",
};

}  // namespace

std::span<const BrowserRow> BrowserTable() { return kBrowsers; }

bool MarksItsRuns(BrowserFamily family) {
  return family == F::kMozilla || family == F::kChromium || family == F::kChromiumOne;
}

std::span<const std::string_view> ProfileCacheFolders(BrowserFamily family) {
  switch (family) {
    case F::kMozilla: return kMozillaCaches;
    case F::kChromium:
    case F::kChromiumOne: return kChromiumCaches;
    case F::kThumbnails: return kThumbnailCaches;
    case F::kWineIe: return kWineIeCaches;
  }
  return {};
}

std::span<const std::string_view> SharedCacheFolders(BrowserFamily family) {
  if (family == F::kChromium) return kChromiumSharedCaches;
  return {};
}

}  // namespace vorlix
