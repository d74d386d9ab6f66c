// SPDX-License-Identifier: MIT
// The browsers command: every cache set of the browsers named, emptied whole.

#include "tools/vorlix-clean/browsers_command.h"

#include <unistd.h>

#include <algorithm>

#include "cleaning/cache_set_cleaning.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "platform/drive_paths.h"
#include "platform/host_folders.h"
#include "tools/vorlix-clean/browser_names.h"
#include "tools/vorlix-clean/commands.h"

namespace vorlix::clean_tool {
namespace {

std::string SetName(const CacheSet& set) { return set.profile.empty() ? set.browser : set.browser + " " + set.profile; }

// Moves the one bar over the whole run and names each file that stays.
class BrowsersWatcher : public CacheCleanWatcher {
 public:
  BrowsersWatcher(ProgressBar& progress, const std::atomic<bool>& stop) : progress_(progress), stop_(stop) {}

  void SetItem(ItemResult* item) { item_ = item; }

  void FileDone(std::uint64_t bytes, EntryResult /*result*/) override {
    ++files_;
    bytes_ += bytes;
    progress_.Update(files_, bytes_);
  }

  void FileLeft(const std::string& path) override {
    item_->failed.push_back(path);
    progress_.Clear();
    Complain("could not remove " + PrintableText(path));
  }

  bool Stop() override { return stop_.load(); }

 private:
  ProgressBar& progress_;
  const std::atomic<bool>& stop_;
  ItemResult* item_ = nullptr;
  std::uint64_t files_ = 0;
  std::uint64_t bytes_ = 0;
};

ItemResult NewItem(const CacheSet& set, const CacheFolder& folder, bool recycle) {
  ItemResult item;
  item.target = {TargetKind::kFolder, SetName(set), 0, folder.folder, recycle, false, false};
  item.folder = folder.folder;
  item.path = folder.folder;
  item.listed_files = folder.whole.files;
  item.listed_bytes = folder.whole.bytes;
  return item;
}

// Empties one folder into its item; false ends the run.
bool CleanFolder(const CacheFolder& folder, ItemResult& item, BrowsersWatcher& watcher, const Options& options,
                 Report& report) {
  watcher.SetItem(&item);
  const CacheFolderResult result = EmptyCacheFolder(folder, item.target.recycle, &watcher);
  for (const std::string& mount : result.other_mounts) {
    Complain(PrintableText(mount) + " is a mount inside the cache folder: left alone");
  }
  // The figures of the files themselves, as the run found them.
  item.listed_files = result.tried_files;
  item.listed_bytes = result.tried_bytes;
  item.removed_files = result.removed_files;
  item.removed_bytes = result.removed_bytes;
  item.left = result.left;
  for (const LeftReason& left : item.left.Reasons()) {
    Complain(item.target.name + ": " + PrintableText(LeftText(left.files, left.trash, left.reason)));
  }
  if (!item.failed.empty()) Raise(report, kExitSomeFailed);
  switch (result.outcome) {
    case CacheFolderOutcome::kDone:
    case CacheFolderOutcome::kRunning:
    case CacheFolderOutcome::kGone: return true;  // a cache folder the browser removed holds nothing to clean
    case CacheFolderOutcome::kMoved:
      item.status = ItemStatus::kProtected;
      item.error = "no longer lies where it was found, inside the browser's own folders";
      Complain(item.target.name + ": " + PrintableText(item.folder) + " " + item.error + "; nothing deleted");
      Raise(report, kExitStopped);
      return options.keep_going;
    case CacheFolderOutcome::kSwapped:
      item.status = ItemStatus::kSwapped;
      Complain(item.target.name + ": " + PrintableText(item.folder) +
               " was moved or replaced while its files were being deleted; the rest were left");
      Raise(report, kExitSomeFailed);
      return true;
    case CacheFolderOutcome::kStopped: item.status = ItemStatus::kStopped; return false;
  }
  return true;
}

}  // namespace

bool Chosen(const std::string& browser, const std::vector<std::string>& names) {
  const auto names_it = [&](const std::string& name) { return NamesBrowser(name, browser); };
  return names.empty() || std::any_of(names.begin(), names.end(), names_it);
}

Report RunBrowsersCommand(const Options& options, const std::atomic<bool>& stop) {
  return RunBrowsersCleaning(
      options, [&](const std::string& browser, const std::string& /*profile*/) { return Chosen(browser, options.browsers); },
      stop);
}

Report RunBrowsersCleaning(const Options& options, const CacheSetFilter& wanted, const std::atomic<bool>& stop) {
  platform::EnsureDefaultDrives();
  Report report;
  report.command = "browsers";
  report.dry_run = options.dry_run;
  // Into the trash unless told otherwise: a cleaning of the user's caches can then be undone.
  const bool recycle = options.method != MethodOverride::kPermanent;
  // A run sizes each file as it goes; only a dry run shows sizes up front.
  const std::vector<CacheSet> sets =
      FindUserBrowserCaches(options.dry_run ? CacheFigures::kSizes : CacheFigures::kCountOnly, wanted);
  std::uint64_t total_files = 0;
  for (const CacheSet& set : sets) {
    if (!set.browser_running) total_files += set.files;
  }
  const RunRecordScope record(!options.dry_run);
  ProgressBar progress(!options.quiet && !options.json && isatty(STDERR_FILENO) == 1);
  BrowsersWatcher watcher(progress, stop);
  if (!options.dry_run) progress.Start("browsers", total_files);
  bool go_on = true;
  for (const CacheSet& set : sets) {
    for (const LeftAloneFolder& left : set.left_alone) Complain(PrintableText(LeftAloneText(left)));
    if (set.browser_running && !options.dry_run) Complain(SetName(set) + " is running; its caches were left alone");
    for (const CacheFolder& folder : set.folders) {
      if (!go_on) break;
      ItemResult& item = report.items.emplace_back(NewItem(set, folder, recycle));
      if (set.browser_running) {
        item.status = ItemStatus::kRunning;
        if (!options.dry_run) {
          const platform::FileTally tally = platform::TallyTree(folder.folder);  // what it keeps, sized
          item.listed_bytes = tally.bytes;
        }
      } else if (options.dry_run) {
        item.status = ItemStatus::kPreview;
      } else {
        go_on = CleanFolder(folder, item, watcher, options, report);
      }
    }
  }
  progress.Clear();
  if (!options.dry_run) report.space_regained = SpaceRegained(report.items);
  report.interrupted = stop.load();
  if (report.interrupted) report.exit_code = kExitInterrupted;
  return report;
}

}  // namespace vorlix::clean_tool
