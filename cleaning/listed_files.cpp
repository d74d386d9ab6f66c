// SPDX-License-Identifier: MIT
// The files a file list shows, and deleting them.

#include "cleaning/listed_files.h"

#include <cstdint>

#include "cleaning/folder_load.h"
#include "cleaning/run_record.h"
#include "platform/folder_entries.h"
#include "platform/status.h"

namespace vorlix {
namespace {

// What became of an entry, the system's error number when it refused, and
// the disk space its deletion for good gave back, when that was measured.
struct Attempt {
  EntryResult result;
  int error = 0;
  std::uint64_t freed = 0;
};

Attempt DeleteOnce(const platform::FolderEntries& folder, const std::string& name, bool recycle, bool measure) {
  if (!recycle) {
    std::uint64_t freed = 0;
    const int error = folder.Delete(name, measure ? &freed : nullptr);
    if (error == 0) return {EntryResult::kRemoved, 0, freed};
    return {EntryResult::kRefused, error};
  }
  switch (folder.Trash(name, &RecordTrashMove)) {
    case platform::TrashResult::kMoved: return {EntryResult::kRemoved};
    case platform::TrashResult::kNoTrash:
    case platform::TrashResult::kTrashUnusable: return {EntryResult::kNoTrash};
    case platform::TrashResult::kFailed: break;
  }
  return {EntryResult::kRefused, folder.TrashFailure()};
}

Attempt DeleteEntry(const platform::FolderEntries& entries, const std::string& name, bool recycle, bool measure) {
  const Attempt first = DeleteOnce(entries, name, recycle, measure);
  // Only a refusal is retried: without a trash there is nothing a retry could change.
  if (first.result != EntryResult::kRefused) return first;
  const std::optional<std::uint32_t> attributes = entries.Attributes(name);
  if (!attributes) return {EntryResult::kGone};  // gone meanwhile: nothing to retry
  const bool was_read_only = (*attributes & platform::kAttrReadOnly) != 0;
  const bool cleared =
      was_read_only && entries.SetAttributes(name, *attributes & ~platform::kAttrReadOnly) == platform::kOk;
  const Attempt second = DeleteOnce(entries, name, recycle, measure);
  // The entry stays: give it its protection back. Should that fail too,
  // there is nothing more to do for it; the run goes on.
  if (second.result != EntryResult::kRemoved && cleared) entries.SetAttributes(name, *attributes);
  return second;
}

}  // namespace

ListedFolder ReadListedFolder(const std::string& folder) { return FolderLoad(folder, SIZE_MAX).TakeFiles(); }

DeleteOutcome DeleteListedFiles(const ListedFolder& listed, bool recycle, DeleteWatcher* watcher) {
  if (listed.names.empty()) return DeleteOutcome::kDone;
  const std::optional<platform::FolderEntries> entries = platform::FolderEntries::Open(listed.folder);
  if (!entries) {
    // Still the listed folder, but closed to us now: nothing can be done.
    const bool same = listed.identity && platform::IdentityOf(listed.folder) == listed.identity;
    return same ? DeleteOutcome::kDone : DeleteOutcome::kFolderChanged;
  }
  if (entries->Identity() != listed.identity) return DeleteOutcome::kFolderChanged;
  // A file list never shows hidden entries; should one appear, it stays.
  return DeleteEntries(*entries, listed.names, recycle, watcher, false);
}

DeleteOutcome DeleteEntries(const platform::FolderEntries& entries, const platform::NameList& names, bool recycle,
                            DeleteWatcher* watcher, bool hidden_too) {
  // Every deletion works relative to the opened folder, so a swap can never
  // lead it elsewhere; the path is watched so that the run stops and says so.
  // A trash record names the file's path, so before a move into the trash the
  // path must still be right; a deletion for good looks every so often.
  const std::size_t look_every = recycle ? 1 : 64;
  bool trash_told = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name(names[i]);
    if (watcher != nullptr && watcher->StopBefore(i)) return DeleteOutcome::kStopped;
    if (i % look_every == 0 && !entries.StillAtItsPath()) return DeleteOutcome::kFolderSwapped;
    if (!hidden_too && name.starts_with('.')) continue;
    const Attempt attempt = DeleteEntry(entries, name, recycle, watcher != nullptr);
    const EntryResult result = attempt.result;
    if (watcher == nullptr) continue;
    // The trash is found once a run, so its problem is told once.
    if (result == EntryResult::kNoTrash && !trash_told) {
      trash_told = true;
      if (entries.TrashFolderProblem().error != 0) watcher->TrashUnusable(entries.TrashFolderProblem());
    }
    if (result == EntryResult::kRefused) watcher->EntryRefused(i, attempt.error);
    if (attempt.freed != 0) watcher->EntryFreed(i, attempt.freed);
    watcher->EntryDone(i, result);
  }
  // A swap during the last move is reported too.
  return entries.StillAtItsPath() ? DeleteOutcome::kDone : DeleteOutcome::kFolderSwapped;
}

}  // namespace vorlix
