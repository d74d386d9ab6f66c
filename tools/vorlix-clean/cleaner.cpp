// SPDX-License-Identifier: MIT
// Cleaning one folder as "Delete Cache" does, with figures that count the files themselves.

#include "tools/vorlix-clean/cleaner.h"

#include <optional>

#include "cleaning/listed_files.h"
#include "platform/drive_paths.h"
#include "support/in_out_error.h"

namespace vorlix::clean_tool {
namespace {

// Counts what goes, tells of what refuses, moves the bar, and stops when asked.
class RunWatcher : public DeleteWatcher {
 public:
  RunWatcher(ItemResult& result, const ListedFolder& listed, const std::vector<std::uint64_t>& sizes,
             const CleanMode& mode, ProgressBar& progress)
      : result_(result), names_(listed.names), sizes_(sizes), mode_(mode), progress_(progress) {}

  void EntryDone(std::size_t index, EntryResult entry) override {
    ++done_files_;
    done_bytes_ += sizes_[index];
    if (entry == EntryResult::kRemoved) {
      ++result_.removed_files;
      result_.removed_bytes += sizes_[index];
    } else if (entry == EntryResult::kRefused || entry == EntryResult::kNoTrash) {
      if (entry == EntryResult::kNoTrash) ++result_.not_trashed;
      result_.failed.push_back(names_[index]);
      progress_.Clear();
      if (mode_.on_failure) mode_.on_failure(result_, std::string(names_[index]));
    }
    progress_.Update(done_files_, done_bytes_);
  }

  bool StopRequested() override { return mode_.stop != nullptr && mode_.stop->load(); }

 private:
  ItemResult& result_;
  const platform::NameList& names_;
  const std::vector<std::uint64_t>& sizes_;
  const CleanMode& mode_;
  ProgressBar& progress_;
  std::uint64_t done_files_ = 0;
  std::uint64_t done_bytes_ = 0;
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

// Enters and lists the folder; false when there is none to clean.
bool ListTarget(ItemResult& result, ListedFolder& listed, std::vector<std::uint64_t>& sizes, bool count) {
  if (result.target.unset) {
    result.status = ItemStatus::kUnset;
    return false;
  }
  // An empty folder text names no folder: entering it would leave us where we are.
  if (result.target.stored_folder.empty()) {
    result.status = ItemStatus::kNoFolder;
    return false;
  }
  try {
    result.folder = EnterFolder(result.target.drive, result.target.stored_folder);
  } catch (const EInOutError& error) {
    result.status = ItemStatus::kNotEntered;
    result.error = error.what();
    return false;
  }
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(result.folder);
  result.path = resolved ? resolved->host : std::string();
  if (!count) return true;
  listed = ReadListedFolder(result.folder);
  sizes = ReadListedSizes(listed);
  result.listed_files = listed.names.size();
  for (const std::uint64_t size : sizes) result.listed_bytes += size;
  return true;
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
    case ItemStatus::kChanged: return "changed";
    case ItemStatus::kSwapped: return "swapped";
    case ItemStatus::kStopped: return "stopped";
  }
  return "done";
}

ItemResult CountTarget(const Target& target, bool count) {
  ItemResult result;
  result.target = target;
  ListedFolder listed;
  std::vector<std::uint64_t> sizes;
  ListTarget(result, listed, sizes, count);
  return result;
}

ItemResult CleanTarget(const Target& target, const CleanMode& mode, ProgressBar& progress) {
  ItemResult result;
  result.target = target;
  ListedFolder listed;
  std::vector<std::uint64_t> sizes;
  if (!ListTarget(result, listed, sizes, true)) return result;
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
  progress.Start(target.name, result.listed_files, result.listed_bytes);
  result.status = StatusOf(DeleteListedFiles(listed, target.recycle, &watcher));
  progress.Clear();
  return result;
}

}  // namespace vorlix::clean_tool
