// SPDX-License-Identifier: MIT
// Emptying the cache sets the browser cache finder found.

#include "cleaning/cache_set_cleaning.h"

#include <algorithm>
#include <optional>

#include "cleaning/run_record.h"
#include "cleaning/search_places.h"
#include "platform/folder_entries.h"
#include "platform/host_folders.h"
#include "platform/processes.h"

namespace vorlix {
namespace {

// Deeper folders than this are left as they are: no cache nests so deep, and
// each level holds an open folder.
constexpr int kMaxDepth = 64;

// Sizes each file before it goes, and passes each result on.
class FolderWatcher : public DeleteWatcher {
 public:
  FolderWatcher(const platform::FolderEntries& entries, const platform::NameList& names, CacheFolderResult& result,
                CacheCleanWatcher* next)
      : entries_(entries), names_(names), result_(result), next_(next) {}

  bool StopBefore(std::size_t index) override {
    if (next_ != nullptr && next_->Stop()) return true;
    size_ = entries_.Size(std::string(names_[index])).value_or(0);
    return false;
  }

  void EntryDone(std::size_t index, EntryResult result) override {
    ++result_.tried_files;
    result_.tried_bytes += size_;
    if (result == EntryResult::kRemoved) {
      ++result_.removed_files;
      result_.removed_bytes += size_;
    }
    if (next_ == nullptr) return;
    if (result == EntryResult::kRefused || result == EntryResult::kNoTrash) {
      next_->FileLeft(entries_.HostPathOf(std::string(names_[index])).value_or(std::string(names_[index])));
    }
    next_->FileDone(size_, result);
  }

 private:
  const platform::FolderEntries& entries_;
  const platform::NameList& names_;
  CacheFolderResult& result_;
  CacheCleanWatcher* next_;
  std::uint64_t size_ = 0;
};

// Empties an opened folder and its subfolders; the outcome of the first
// folder that did not end kDone.
CacheFolderOutcome EmptyTree(const platform::FolderEntries& entries, bool recycle, CacheFolderResult& result,
                             CacheCleanWatcher* watcher, int depth) {
  platform::FolderEntries::Reading reading(entries, platform::FolderEntries::ReadKind::kEveryFile);
  platform::FolderEntries::Contents contents;
  if (!reading.ok()) return CacheFolderOutcome::kDone;  // closed to us: nothing can be done here
  while (!reading.Next(contents, SIZE_MAX)) {
  }
  FolderWatcher folder_watcher(entries, contents.files, result, watcher);
  LeftCounter counter(&folder_watcher);
  switch (DeleteEntries(entries, contents.files, recycle, &counter, true)) {
    case DeleteOutcome::kDone:
    case DeleteOutcome::kFolderChanged: break;
    case DeleteOutcome::kFolderSwapped: result.left.Add(counter.Left()); return CacheFolderOutcome::kSwapped;
    case DeleteOutcome::kStopped: result.left.Add(counter.Left()); return CacheFolderOutcome::kStopped;
  }
  result.left.Add(counter.Left());
  if (depth >= kMaxDepth) return CacheFolderOutcome::kDone;
  for (std::size_t i = 0; i < contents.folders.size(); ++i) {
    const std::optional<platform::FolderEntries> sub = entries.OpenSubfolder(std::string(contents.folders[i]));
    if (!sub) continue;  // gone, closed to us, or a link put in its place: never followed
    const CacheFolderOutcome outcome = EmptyTree(*sub, recycle, result, watcher, depth + 1);
    if (outcome != CacheFolderOutcome::kDone) return outcome;
  }
  return CacheFolderOutcome::kDone;
}

}  // namespace

CacheFolderResult EmptyCacheFolder(const CacheFolder& folder, bool recycle, CacheCleanWatcher* watcher) {
  CacheFolderResult result;
  result.folder = folder.folder;
  // The folder and its place must still be where the search found them: a
  // link put into the path since then would lead the run elsewhere.
  const std::optional<std::string> real = platform::RealFolder(folder.folder);
  const std::optional<std::string> place = platform::RealFolder(folder.place);
  if (!real) {
    result.outcome = CacheFolderOutcome::kGone;
    return result;
  }
  if (*real != folder.folder || place != folder.place || folder.folder == folder.place ||
      !IsInsideFolder(folder.folder, folder.place) || IsSystemFolder(folder.folder)) {
    result.outcome = CacheFolderOutcome::kMoved;
    return result;
  }
  const std::optional<platform::FolderEntries> entries = platform::FolderEntries::OpenHost(folder.folder);
  if (!entries) {
    result.outcome = CacheFolderOutcome::kGone;
    return result;
  }
  result.outcome = EmptyTree(*entries, recycle, result, watcher, 0);
  return result;
}

std::vector<CacheFolderResult> EmptyCacheSet(const CacheSet& set, bool recycle, CacheCleanWatcher* watcher) {
  std::vector<CacheFolderResult> results;
  for (const CacheFolder& folder : set.folders) {
    if (set.browser_running) {
      results.push_back({folder.folder, CacheFolderOutcome::kRunning, 0, 0, 0, 0, {}});
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
  const std::vector<CacheSet> found =
      FindBrowserCaches(UserCacheSearchPlaces(), platform::RunningPrograms(), CacheFigures::kCountOnly);
  bool stopped = false;
  for (const CacheSet& set : found) {
    const CacheSetKey key{set.browser, set.profile};
    if (std::find(chosen.begin(), chosen.end(), key) == chosen.end()) continue;
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
      stopped = stopped || result.outcome == CacheFolderOutcome::kStopped;
    }
  }
  return totals;
}

}  // namespace vorlix
