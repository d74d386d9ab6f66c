// SPDX-License-Identifier: MIT
// Emptying the cache sets the browser cache finder found.

#include "cleaning/cache_set_cleaning.h"

#include <algorithm>

#include "cleaning/cache_folder_judge.h"
#include "cleaning/run_record.h"
#include "cleaning/tree_emptying.h"
#include "platform/folder_entries.h"
#include "platform/host_folders.h"

namespace vorlix {

CacheFolderResult EmptyCacheFolder(const CacheFolder& folder, bool recycle, CacheCleanWatcher* watcher) {
  CacheFolderResult result;
  result.folder = folder.folder;
  // The folder must still be the real folder the search found, inside its
  // place: a link or mount put into the path since would lead the run elsewhere.
  if (!platform::RealFolder(folder.folder)) {
    result.outcome = CacheFolderOutcome::kGone;
    return result;
  }
  if (CacheFolderProblem(folder.folder, folder.place)) {
    result.outcome = CacheFolderOutcome::kMoved;
    return result;
  }
  std::optional<platform::FolderEntries> entries = platform::FolderEntries::OpenHost(folder.folder);
  if (!entries) {
    result.outcome = CacheFolderOutcome::kGone;
    return result;
  }
  result.outcome = EmptyTree(std::move(*entries), recycle, result, watcher);
  return result;
}

std::vector<CacheFolderResult> EmptyCacheSet(const CacheSet& set, bool recycle, CacheCleanWatcher* watcher) {
  std::vector<CacheFolderResult> results;
  for (const CacheFolder& folder : set.folders) {
    if (set.browser_running) {
      results.push_back({folder.folder, CacheFolderOutcome::kRunning, 0, 0, 0, 0, {}, {}});
      continue;
    }
    results.push_back(EmptyCacheFolder(folder, recycle, watcher));
    if (results.back().outcome == CacheFolderOutcome::kStopped) break;
  }
  return results;
}

CacheRunTotals EmptyChosenCacheSets(const std::vector<CacheSetKey>& chosen, bool recycle, CacheCleanWatcher* watcher) {
  CacheRunTotals totals;
  const RunRecordScope record;
  // Only the chosen sets are read.
  const std::vector<CacheSet> found =
      FindUserBrowserCaches(CacheFigures::kCountOnly, [&](const std::string& browser, const std::string& profile) {
        return std::find(chosen.begin(), chosen.end(), CacheSetKey{browser, profile}) != chosen.end();
      });
  bool stopped = false;
  for (const CacheSet& set : found) {
    const CacheSetKey key{set.browser, set.profile};
    if (set.browser_running) {
      totals.running.push_back(key);
      continue;
    }
    // Once stopped, the later sets' folders are not even read.
    if (stopped) continue;
    for (const CacheFolderResult& result : EmptyCacheSet(set, recycle, watcher)) {
      totals.removed_files += result.removed_files;
      totals.removed_bytes += result.removed_bytes;
      totals.left.Add(result.left);
      if (result.outcome == CacheFolderOutcome::kMoved) totals.not_cleaned.push_back(result.folder);
      totals.other_mounts.insert(totals.other_mounts.end(), result.other_mounts.begin(), result.other_mounts.end());
      stopped = stopped || result.outcome == CacheFolderOutcome::kStopped;
    }
  }
  return totals;
}

}  // namespace vorlix
