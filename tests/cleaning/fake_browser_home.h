// SPDX-License-Identifier: MIT
// A home folder holding browsers' profiles and caches as a desktop has them:
// a Firefox listed in profiles.ini (one profile below the profiles folder,
// one elsewhere in the home folder, two listed outside every place), a
// running Chromium with a Default and a Profile 1 holding every kind of
// cache folder, a Flatpak Chrome whose lock is stale, and the thumbnails
// with their "fail" folder.
#pragma once

#include <string>
#include <vector>

#include "cleaning/browser_caches.h"

namespace vorlix::test {

struct FakeBrowserHome {
  std::string home;  // canonical
  std::vector<std::string> cache_folders;    // every folder the finder must list, sorted
  std::vector<std::string> running_folders;  // those of the running Chromium, sorted
  std::vector<std::string> kept_files;       // profile files that are no cache

  CacheSearchPlaces Places() const { return {home, home + "/.cache", "", home + "/.config"}; }
};

// Builds the fake home in a new folder below the test root.
FakeBrowserHome MakeFakeBrowserHome();

}  // namespace vorlix::test
