// SPDX-License-Identifier: MIT
// Emptying a folder tree of its files, for a cache folder: the files of every
// folder go, the folders stay.
#pragma once

#include "cleaning/cache_set_cleaning.h"
#include "platform/folder_entries.h"

namespace vorlix {

// Empties an opened folder and its subfolders into `result`: every entry
// that is not a folder goes, hidden ones and links (as links) too, into the
// trash or for good. Each subfolder is opened relative to its parent, never
// through a link and never into another mount (each mount found is named in
// the result); deeper than 64 levels nothing is touched. The outcome
// is kDone, kSwapped when a folder left its path (the rest stay) or kStopped
// when the watcher asked (the rest stay).
//
// A deletion for good runs on two threads where the machine has two cores:
// most of its time is the file system freeing each file, and that runs side
// by side, best in different folders; so the threads take folders from one
// list, and a folder of many files is shared between them. The watcher is
// called by one thread at a time. Moves into the trash go on one thread, in
// order, as the run's record of them is kept.
CacheFolderOutcome EmptyTree(platform::FolderEntries folder, bool recycle, CacheFolderResult& result,
                             CacheCleanWatcher* watcher);

}  // namespace vorlix
