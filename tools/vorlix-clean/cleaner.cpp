// SPDX-License-Identifier: MIT
// Cleaning one folder as "Delete Cache" does, with figures that count the files themselves.

#include "tools/vorlix-clean/cleaner.h"

#include <optional>

#include "cleaning/listed_files.h"
#include "cleaning/listed_sizes.h"
#include "platform/drive_paths.h"

namespace vorlix::clean_tool {
namespace {

// Counts what goes, tells of what refuses, moves the bar, and stops when asked.
// A file goes only once its size is read, so the figures are the files' own.
class RunWatcher : public DeleteWatcher {
 public:
  RunWatcher(ItemResult& result, const ListedFolder& listed, const ListedSizes& sizes, const CleanMode& mode,
             ProgressBar& progress)
      : result_(result), names_(listed.names), sizes_(sizes), mode_(mode), progress_(progress) {}

  void EntryDone(std::size_t index, EntryResult entry) override {
    const std::uint64_t size = sizes_.Wait(index);
    ++done_files_;
    done_bytes_ += size;
    if (entry == EntryResult::kRemoved) {
      ++result_.removed_files;
      result_.removed_bytes += size;
    } else if (entry == EntryResult::kRefused || entry == EntryResult::kNoTrash) {
      result_.failed.push_back(names_[index]);
      progress_.Clear();
      if (mode_.on_failure) mode_.on_failure(result_, std::string(names_[index]));
    }
    if (!total_told_ && sizes_.Complete()) {
      progress_.SetTotalBytes(sizes_.Total());
      total_told_ = true;
    }
    progress_.Update(done_files_, done_bytes_);
  }

  void TrashUnusable(const platform::TrashProblem& problem) override { result_.unusable_trash = problem; }

  bool StopBefore(std::size_t index) override {
    sizes_.Wait(index);
    return mode_.stop != nullptr && mode_.stop->load();
  }

 private:
  ItemResult& result_;
  const platform::NameList& names_;
  const ListedSizes& sizes_;
  const CleanMode& mode_;
  ProgressBar& progress_;
  std::uint64_t done_files_ = 0;
  std::uint64_t done_bytes_ = 0;
  bool total_told_ = false;
};

ItemStatus StatusOf(DeleteOutcome outcome) {
  switch (outcome) {
    case DeleteOutcome::kDone: return ItemStatus::kDone;
    case DeleteOutcome::kFolderChanged: return ItemStatus::kChanged;
    case DeleteOutcome::kFolderSwapped: return ItemStatus::kSwapped;
    case DeleteOutcome::kStopped: return ItemStatus::kStopped;
  }
  return ItemStatus::kDone;
}

// The result of a target whose folder was entered: its folder and Linux path.
ItemResult EnteredTarget(const CleaningTarget& target, const std::string& entered) {
  ItemResult result;
  result.target = target;
  result.folder = entered;
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(result.folder);
  result.path = resolved ? resolved->host : std::string();
  return result;
}

}  // namespace

const char* StatusName(ItemStatus status) {
  switch (status) {
    case ItemStatus::kDone: return "done";
    case ItemStatus::kPreview: return "preview";
    case ItemStatus::kDeclined: return "declined";
    case ItemStatus::kUnset: return "unset";
    case ItemStatus::kNoFolder: return "no-folder";
    case ItemStatus::kNotEntered: return "not-entered";
    case ItemStatus::kProtected: return "protected";
    case ItemStatus::kChanged: return "changed";
    case ItemStatus::kSwapped: return "swapped";
    case ItemStatus::kStopped: return "stopped";
    case ItemStatus::kRunning: return "running";
  }
  return "done";
}

ItemResult CountTarget(const CleaningTarget& target, const std::string& entered, bool count) {
  ItemResult result = EnteredTarget(target, entered);
  if (!count) return result;
  const ListedFolder listed = ReadListedFolder(result.folder);
  result.listed_files = listed.names.size();
  result.listed_bytes = ListedSizes(listed).Total();
  return result;
}

ItemResult CleanTarget(const CleaningTarget& target, const std::string& entered, const CleanMode& mode,
                       ProgressBar& progress) {
  ItemResult result = EnteredTarget(target, entered);
  ListedFolder listed = ReadListedFolder(result.folder);
  result.listed_files = listed.names.size();
  const ListedSizes sizes(listed);
  // Deleting begins while later files are still being sized; a preview or a
  // question needs the whole figure first.
  if (mode.dry_run || mode.ask) result.listed_bytes = sizes.Total();
  if (mode.dry_run) {
    result.listed = std::move(listed.names);
    result.status = ItemStatus::kPreview;
    return result;
  }
  if (!listed.names.empty() && mode.ask && !mode.ask(result)) {
    result.status = ItemStatus::kDeclined;
    return result;
  }
  RunWatcher watcher(result, listed, sizes, mode, progress);
  LeftCounter counter(&watcher);
  progress.Start(target.name, result.listed_files);
  result.status = StatusOf(DeleteListedFiles(listed, target.recycle, &counter));
  result.left = counter.Left();
  result.listed_bytes = sizes.Total();
  progress.Clear();
  return result;
}

}  // namespace vorlix::clean_tool
