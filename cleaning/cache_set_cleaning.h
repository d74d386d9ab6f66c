// SPDX-License-Identifier: MIT
// Emptying the cache sets the browser cache finder found: every file in each
// cache folder and its subfolders goes, into the trash or for good; the
// folders themselves stay, as the browsers expect them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cleaning/browser_caches.h"
#include "cleaning/left_files.h"

namespace vorlix {

enum class CacheFolderOutcome {
  kDone,      // every file was tried
  kRunning,   // the browser runs on the set: nothing touched
  kMoved,     // the folder no longer lies where it was found, inside its browser's place: nothing touched
  kGone,      // the folder is gone or cannot be opened: nothing touched
  kSwapped,   // a folder left its path during the run: the rest stay
  kStopped,   // the watcher asked to stop: the rest stay
};

struct CacheFolderResult {
  std::string folder;
  CacheFolderOutcome outcome = CacheFolderOutcome::kDone;
  std::uint64_t tried_files = 0;  // the files found and tried, removed or not
  std::uint64_t tried_bytes = 0;
  std::uint64_t removed_files = 0;
  std::uint64_t removed_bytes = 0;
  LeftFiles left;  // the files that stayed, by reason
  std::vector<std::string> other_mounts;  // mounts found inside the folder: never entered
};

// Follows the emptying file by file, and may end it between two files.
class CacheCleanWatcher {
 public:
  virtual ~CacheCleanWatcher() = default;
  // After each file that was tried, with its size as it stood before.
  virtual void FileDone(std::uint64_t bytes, EntryResult result) = 0;
  // Just before FileDone for a file that stays, with its path.
  virtual void FileLeft(const std::string& /*path*/) {}
  // Asked before each file; true ends the run there.
  virtual bool Stop() { return false; }
};

// Empties one cache folder of a set: the files in it and in its subfolders,
// hidden ones too (they are cache entries), links as links. The folder must
// still be the real path it was found at, inside the place it was found in
// (CacheFolderProblem); every subfolder is opened relative to its parent,
// never through a link nor into another mount, so a folder swapped for a
// link mid-run leads nowhere else.
CacheFolderResult EmptyCacheFolder(const CacheFolder& folder, bool recycle, CacheCleanWatcher* watcher);

// Empties every folder of a set, in order; a set whose browser runs is left
// alone (each folder kRunning). The run stops at the first folder stopped.
std::vector<CacheFolderResult> EmptyCacheSet(const CacheSet& set, bool recycle, CacheCleanWatcher* watcher);

// A set as a person chose it: its browser and profile.
struct CacheSetKey {
  std::string browser;
  std::string profile;
  bool operator==(const CacheSetKey&) const = default;
};

// What a run over chosen sets did, in all.
struct CacheRunTotals {
  std::uint64_t removed_files = 0;
  std::uint64_t removed_bytes = 0;
  LeftFiles left;
  std::vector<CacheSetKey> running;     // chosen sets left alone: their browser runs now
  std::vector<std::string> not_cleaned; // folders no longer where they were found: nothing touched
  std::vector<std::string> other_mounts; // mounts inside the folders: never entered
};

// Looks for the user's cache sets again, so that a browser started or a
// folder moved since they were shown is seen, and empties each chosen set
// found whose browser is not running, as one run (one record of the files
// moved into the trash).
CacheRunTotals EmptyChosenCacheSets(const std::vector<CacheSetKey>& chosen, bool recycle, CacheCleanWatcher* watcher);

}  // namespace vorlix
