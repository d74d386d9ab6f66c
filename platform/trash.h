// SPDX-License-Identifier: MIT
// The freedesktop.org trash.
#pragma once

#include <optional>
#include <string>

#include "platform/unique_fd.h"

namespace vorlix::platform {

// What became of an entry sent to the trash.
enum class TrashResult {
  kMoved,
  kFailed,   // it stays: gone, a folder, a folder that refuses changes, or the move failed
  kNoTrash,  // it stays: its file system has no trash (a system mount, or none can be made)
};

// The trash that serves the entries of one open folder: the home trash for the
// home folder's file system, otherwise the trash folder at the top of the
// folder's own file system (none on the system's internal mounts). Whether the
// folder can be changed and where its trash lies are found once, at the first
// entry that gets that far, so that a run over many entries pays for them once;
// each move then costs a look at the entry, its `.trashinfo` record and one
// rename. The folder may be opened for reaching its entries only (O_PATH) and
// must stay open while this lives.
class FolderTrash {
 public:
  explicit FolderTrash(int folder_fd) : folder_fd_(folder_fd) {}

  // Moves the entry `name` of the folder (a file, or a link as the link) into
  // the trash. A record naming `original_path` lets a file manager or
  // trash-restore put it back; it is written whole before the entry moves.
  // The move is one rename relative to the open folder, so it takes that
  // folder's entry even when the folder's path leads elsewhere by now. A
  // folder, or a link to one, is refused. An entry that is not moved stays
  // where it is.
  TrashResult Move(const std::string& name, const std::string& original_path);

 private:
  struct Found {
    bool writable = false;  // the folder takes changes to its entries
    UniqueFd info;          // the trash's info/ and files/ folders; not open when there is no trash
    UniqueFd files;
    std::string top;  // the file system's top folder; empty for the home trash
    int error = 0;    // why the trash folder could not be opened, when it could not
  };
  static Found Find(int folder_fd);

  int folder_fd_;
  std::optional<Found> found_;
};

// One entry into the trash, as FolderTrash moves it. True only when the move
// succeeded.
bool MoveToTrash(int folder_fd, const std::string& name, const std::string& original_path);

}  // namespace vorlix::platform
