// SPDX-License-Identifier: MIT
// The freedesktop.org trash.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/unique_fd.h"

namespace vorlix::platform {

// What became of an entry sent to the trash.
enum class TrashResult {
  kMoved,
  kFailed,         // it stays: gone, a folder, a folder that refuses changes, or the move failed
  kNoTrash,        // it stays: its file system has no trash (a system mount, or one marked so)
  kTrashUnusable,  // it stays: the trash folder cannot be used (FolderTrash::Problem says why)
};

// Why a trash folder cannot be used.
struct TrashProblem {
  std::string folder;  // the trash folder, or the folder in it, that cannot be used
  int error = 0;       // the system's error number; 0 when there is no problem
};

// What shows that an entry of the trash is still the one moved there: the
// identities of the entry and of its `.trashinfo` record file, when that
// record file last changed, and a digest of the record's text. A program that
// trashes a file of the same name again (even the same file, put back
// meanwhile) writes a record file of its own, which may get the old one's
// inode and, within the same second, its text, but not its change time.
struct TrashMark {
  FileIdentity entry;
  FileIdentity record;
  std::int64_t record_changed = 0;  // nanoseconds since 1970
  std::string digest;
  bool operator==(const TrashMark&) const = default;
};

// Where an entry went in the trash: the trash folder (holding files/ and
// info/), the entry's name in files/, and the path it was moved from; then
// the identity of the folder it was moved from and its mark in the trash
// (both unknown in what was recorded before they were kept).
struct TrashedAs {
  std::string trash;
  std::string name;
  std::string original;
  std::optional<FileIdentity> folder;
  std::optional<TrashMark> mark;
};

// Told of each entry just before it moves into the trash, once its name there
// is settled and its `.trashinfo` record written, so that a note of it exists
// even when the process dies the moment the entry has moved. A move that then
// fails leaves the trash as it was, and the note names an entry the trash lacks.
using TrashMoveNote = void (*)(const TrashedAs& moving);

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
  // trash-restore put it back; it is written whole before the entry moves,
  // and removed again when the move fails. A name too long to leave room for
  // its record's name is shortened in the trash (the record keeps it whole),
  // and a number keeps it apart from names already there: nothing in the
  // trash is ever replaced.
  // The move is one rename relative to the open folder, so it takes that
  // folder's entry even when the folder's path leads elsewhere by now. A
  // folder, or a link to one, is refused. An entry that is not moved stays
  // where it is. A note, when given, is told of each attempt to move.
  TrashResult Move(const std::string& name, const std::string& original_path, TrashMoveNote note = nullptr);

  // Why the trash cannot be used, once a move has said kTrashUnusable;
  // no problem (error 0) otherwise.
  const TrashProblem& Problem() const;

  // The system's error number behind the last move that said kFailed.
  int Failure() const { return failure_; }

 private:
  struct Found {
    bool writable = false;  // the folder takes changes to its entries
    int not_writable = 0;   // why it does not, when it does not
    FileIdentity folder;    // the folder's own identity
    UniqueFd info;          // the trash's info/ and files/ folders; not open when there is no trash
    UniqueFd files;
    std::string top;       // the file system's top folder; empty for the home trash
    std::string path;      // the trash folder's path
    TrashProblem problem;  // why the trash folder cannot be used, when it cannot
  };
  static Found Find(int folder_fd);

  TrashResult Failed(int error);

  int folder_fd_;
  std::optional<Found> found_;
  int failure_ = 0;
};

// One entry into the trash, as FolderTrash moves it. True only when the move
// succeeded.
bool MoveToTrash(int folder_fd, const std::string& name, const std::string& original_path);

}  // namespace vorlix::platform
