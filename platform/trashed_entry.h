// SPDX-License-Identifier: MIT
// One entry already in the freedesktop.org trash: what its record says,
// putting it back, and deleting it for good.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace vorlix::platform {

// How the name of an entry's record in the trash's info/ folder ends.
inline constexpr std::string_view kTrashInfoEnding = ".trashinfo";

// What an entry's `.trashinfo` record says: the path it came from (decoded,
// and joined to the file system's top for a trash at a top folder) and when it
// was moved, as local time.
struct TrashInfo {
  std::string path;
  std::time_t deleted = 0;
};

// The text of a new entry's record: the path it is recorded by, escaped, and
// now as its deletion time.
std::string TrashInfoText(const std::string& recorded_path);

// The record of the entry `name` of the trash folder `trash`; nothing when it
// is missing, unreadable, a link, or lacks either field.
std::optional<TrashInfo> ReadTrashInfo(const std::string& trash, const std::string& name);

// True when the entry `name` is in the trash's files/ folder (a link counts as itself).
bool InTrash(const std::string& trash, const std::string& name);

enum class PutBackResult {
  kDone,           // back at its path (or, on a dry run, would be)
  kOccupied,       // something stands at its path: it stays in the trash
  kFolderMissing,  // its folder is gone: it stays in the trash
  kFailed,         // the move failed for another reason: it stays in the trash
};

// Moves the entry `name` of the trash back to `original` in one rename that
// never replaces anything there, so it keeps its content, times and mode,
// then removes its record. With `dry_run` nothing moves: the answer says what
// the move would find. `error` gets the system's reason for kFailed.
PutBackResult PutBack(const std::string& trash, const std::string& name, const std::string& original, bool dry_run,
                      int& error);

// Deletes the entry `name` of the trash for good (a file or a link; never a
// folder), then its record. 0, or the system's error number.
int DeleteFromTrash(const std::string& trash, const std::string& name);

}  // namespace vorlix::platform
