// SPDX-License-Identifier: MIT
// What the cache finder knows about each browser, in one table: where the
// browser keeps its profiles and its caches, and which folders of a profile
// are caches that may be emptied while the browser is closed. A new browser
// of a known family is one row.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace vorlix {

// How a browser keeps its profiles and shows that it runs.
enum class BrowserFamily {
  kMozilla,      // profiles.ini in the profiles folder; a "lock" link or a locked ".parentlock" in the profile
  kChromium,     // one folder per profile in the user-data folder; "SingletonLock" there
  kChromiumOne,  // a Chromium browser whose user-data folder is its only profile
  kThumbnails,   // the desktop's thumbnail cache: no profiles, never running
  kWineIe,       // Internet Explorer in Wine prefixes: by user of drive_c, running by program name
};

// Whether a family's browser marks in its profiles that it runs (Mozilla and
// Chromium do; the thumbnails never run, Internet Explorer is known by its
// program): the browser-close watch waits on those marks.
bool MarksItsRuns(BrowserFamily family);

// A place of the search that the folders of a row lie below.
enum class Base { kHome, kConfigHome, kCacheHome, kWineDrive };

struct BrowserPlace {
  Base base;
  std::string_view path;  // relative to the base; empty for none
};

struct BrowserRow {
  std::string_view name;  // as the rows show it: "Chromium (Snap)"
  BrowserFamily family;
  BrowserPlace profiles;  // the profiles folder, the user-data folder, the folder of users
  BrowserPlace caches;    // the folder holding each profile's caches by the profile's name
  std::vector<std::string_view> programs;  // for a browser leaving no mark in its profile: programs showing it runs
};

// Every browser, in the order the rows are listed.
std::span<const BrowserRow> BrowserTable();

// The cache folders of one profile of a family, relative to the profile
// folder (on the profile's side and on its cache side alike). A name ending
// in "*" stands for every subfolder it begins. Each is emptied whole: files
// in it and its subfolders go, the folders stay.
std::span<const std::string_view> ProfileCacheFolders(BrowserFamily family);

// Cache folders a family keeps once for all profiles, relative to the
// user-data folder (Chromium's shader caches); a browser with one profile
// finds them among that profile's.
std::span<const std::string_view> SharedCacheFolders(BrowserFamily family);

}  // namespace vorlix
