// SPDX-License-Identifier: MIT
// One entry already in the freedesktop.org trash: what its record says,
// putting it back, and deleting it for good.
#pragma once

#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/trash.h"
#include "platform/unique_fd.h"

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

// The digest of a record's text that a TrashMark keeps: the first 128 bits of
// its SHA-256, in hex.
std::string TrashInfoDigest(std::string_view text);

// The mark of an entry and its record file as they stand, and its record's text.
TrashMark MarkOf(const struct stat& entry, const struct stat& record, std::string_view record_text);

// An entry as the trash holds it now: what its record says, and its mark.
struct TrashEntry {
  TrashInfo info;
  TrashMark mark;
};

enum class PutBackResult {
  kDone,            // back at its path (or, on a dry run, would be)
  kOccupied,        // something stands at its path: it stays in the trash
  kFolderMissing,   // its folder is gone: it stays in the trash
  kFolderReplaced,  // its folder is another folder now, or a link where none may be: it stays in the trash
  kFailed,          // the move failed for another reason: it stays in the trash
};

// The info/ and files/ folders of one trash folder, opened once for looking
// at, putting back and deleting many of its entries.
class TrashLook {
 public:
  explicit TrashLook(std::string trash);
  const std::string& Trash() const { return trash_; }
  // The entry `name`; nothing when the entry or its record is missing, or the
  // record is unreadable, a link, or lacks either field.
  std::optional<TrashEntry> Entry(const std::string& name) const;

  // Moves the entry `moved.name` of this trash back to `moved.original` in
  // one rename that never replaces anything there, so it keeps its content,
  // times and mode, then removes its record. The folder it goes into must be
  // the folder it was moved from (`moved.folder`, when known), found where
  // its path leads now; it is opened from the root without following any
  // link (for a move recorded without the folder's identity, its path may
  // hold no link at all), and the rename is relative to that open folder.
  // With `dry_run` nothing moves: the answer says what the move would find.
  // `error` gets the system's reason for kFailed.
  PutBackResult PutBack(const TrashedAs& moved, bool dry_run, int& error) const;

  // Deletes the entry `name` of this trash for good (a file or a link; never
  // a folder), then its record. 0, or the system's error number.
  int Delete(const std::string& name) const;

 private:
  std::string trash_;
  UniqueFd info_;
  UniqueFd files_;
  int open_error_ = 0;  // why info/ or files/ could not be opened
};



}  // namespace vorlix::platform
