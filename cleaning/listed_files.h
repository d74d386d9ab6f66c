// SPDX-License-Identifier: MIT
// The files a file list shows, and deleting them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/folder_entries.h"
#include "platform/name_list.h"
#include "platform/trash.h"

namespace vorlix {

// A folder's files as a file list read them: the folder (a DOS path), the
// identity of the folder that was read, and the names in list order.
struct ListedFolder {
  std::string folder;
  std::optional<platform::FileIdentity> identity;  // nothing when it could not be read
  platform::NameList names;
};

// Reads a folder's files for a file list: regular files and links to them,
// not hidden ones, sorted without regard to ASCII letter case. A folder that
// cannot be read lists nothing.
ListedFolder ReadListedFolder(const std::string& folder);

enum class DeleteOutcome {
  kDone,            // every entry was deleted, or skipped because it refused
  kFolderChanged,   // the folder is gone or another one now: nothing deleted
  kFolderSwapped,   // the folder left its path during the run: the rest stay
  kStopped,         // the watcher asked to stop: the rest stay
};

// What became of one entry.
enum class EntryResult {
  kRemoved,
  kGone,
  kRefused,
  kNoTrash,  // stays: no trash to move it into (none on its file system, or the trash folder cannot be used)
};

// Follows a deletion run entry by entry, and may end it between two entries.
class DeleteWatcher {
 public:
  virtual ~DeleteWatcher() = default;
  // After each listed entry that was tried, with its index in the list.
  virtual void EntryDone(std::size_t index, EntryResult result) = 0;
  // Just before EntryDone for an entry that refused (kRefused), with the
  // system's error number of its last attempt.
  virtual void EntryRefused(std::size_t /*index*/, int /*error*/) {}
  // Just before EntryDone for an entry deleted for good that gave disk space
  // back (its last link went), with the bytes it held on the disk.
  virtual void EntryFreed(std::size_t /*index*/, std::uint64_t /*bytes*/) {}
  // Asked before each entry is tried, with its index; true ends the run there.
  // It may wait, for something it must know of the entry before it goes.
  virtual bool StopBefore(std::size_t index) = 0;
  // Once in a run, before the first entry that stays (kNoTrash) because the
  // trash folder exists but cannot be used: which folder, and the system's reason.
  virtual void TrashUnusable(const platform::TrashProblem& /*problem*/) {}
};

// Deletes each listed entry of the listed folder, in order: into the trash
// when `recycle` is true, for good otherwise. The folder must still be the one
// that was listed (same device and inode), and must stay at its path while
// the run goes on. Each entry is first deleted without a look at its
// attributes (for good: one system call, and one look for the space it held
// when a watcher is given); only a failed attempt looks, and is retried once
// after the entry's read-only bit is cleared; when that fails too, the bit is
// put back and the entry stays. The trash that serves the folder is found
// once per run. Only the exact names inside the folder itself are touched: a
// name is never read as a path, folders are never removed, a link goes as the
// link, hidden entries (names beginning with a dot) stay, and an entry that
// cannot be trashed is never deleted for good instead; on a file system
// without a trash, or with a trash folder that cannot be used, every entry
// stays, with kNoTrash (the watcher hears which). Entries that are gone or
// refuse are skipped silently, and so is everything when the listed folder is
// still there but cannot be opened.
// A watcher, when given, hears of each entry and may stop the run; only then
// is each entry looked at before it goes, for the disk space it gives back.
DeleteOutcome DeleteListedFiles(const ListedFolder& listed, bool recycle, DeleteWatcher* watcher = nullptr);

// Deletes the named entries of an opened folder as DeleteListedFiles does
// (it is the run behind it), the folder's identity already checked. Hidden
// entries stay unless `hidden_too`.
DeleteOutcome DeleteEntries(const platform::FolderEntries& entries, const platform::NameList& names, bool recycle,
                            DeleteWatcher* watcher, bool hidden_too);

}  // namespace vorlix
