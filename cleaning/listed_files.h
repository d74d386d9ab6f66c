// SPDX-License-Identifier: MIT
// Deleting the files that a file list shows.
#pragma once

#include <string>
#include <vector>

namespace vorlix {

// Deletes each named entry of a folder (a DOS path), in order: into the trash
// when `recycle` is true, for good otherwise. A failed attempt is retried once
// after the entry's read-only bit is cleared; when that fails too, the bit is
// put back and the entry stays. Only the exact names inside the folder itself
// are touched: a name is never read as a path, folders are never removed, a
// link goes as the link, hidden entries (names beginning with a dot) stay,
// and an entry that cannot be trashed is never deleted for good instead.
// Entries that are gone or refuse are skipped silently, and so is everything
// when the folder cannot be opened.
void DeleteListedFiles(const std::string& folder, const std::vector<std::string>& names, bool recycle);

}  // namespace vorlix
