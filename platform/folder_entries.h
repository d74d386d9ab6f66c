// SPDX-License-Identifier: MIT
// The entries of one folder, reached by name relative to the folder itself.
//
// The folder's DOS path is translated and the folder opened once; each entry
// is then named by its exact name inside that folder, never as a path. A name
// is taken byte for byte (a backslash in a Linux name is part of the name, not
// a separator), letter case must match, and "", ".", ".." and names holding
// "/" or NUL name nothing, so no name leads into a subfolder or another
// folder. Two calls do look beyond the folder: Attributes follows a link to
// tell a link to a folder, and Trash moves the entry out into the trash.
// This is the fast and safe way to work through a listed folder.
#pragma once

#include <dirent.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/child_folder.h"
#include "platform/file_system.h"
#include "platform/name_list.h"
#include "platform/trash.h"
#include "platform/unique_fd.h"

namespace vorlix::platform {

// The host path of the entry `name` of the folder a DOS path names, the name
// taken byte for byte; nothing when the drive is not mapped or the text names
// no entry.
std::optional<std::string> EntryHostPath(const std::string& dos_folder, const std::string& name);

// Whether emptying a whole tree removes an entry of this own kind (a link
// taken as the link, never followed): regular files and links do go; pipes,
// sockets and devices stay, and so does an entry whose kind is not known.
// Every count of such an emptying applies the same rule, so that a preview
// counts exactly the entries the emptying tries.
constexpr bool IsTreeFile(unsigned char own_kind) { return own_kind == DT_REG || own_kind == DT_LNK; }

// Folders deeper than this below the top of a tree are left as they are by
// an emptying and by its counts alike: no cache nests so deep.
inline constexpr int kMaxTreeDepth = 64;

// Opens a folder by its host path part by part from the root, each part
// below the one before and never through a link (nor "." or ".."), so that a
// link put anywhere into the path leads nowhere. Not open when it cannot be
// opened so; errno says why (ELOOP for a link, EINVAL for a path that is not
// absolute or holds "." or "..").
UniqueFd OpenHostFolder(const std::string& host_folder);

// The kind of the entry `name` of an open folder as a read of the folder
// counts it, from the kind the read reported: a link counts as what it leads
// to, and an entry whose kind the file system does not report (DT_UNKNOWN,
// as some do) is looked at. DT_UNKNOWN for one that cannot be looked at.
unsigned char ReadEntryKind(int folder_fd, const char* name, unsigned char reported);

class FolderEntries {
 public:
  // Opens the folder a DOS path names (the folder itself may be reached
  // through links; its own name is taken only as written, the folders above
  // it may match in another letter case); nothing when it cannot be opened.
  static std::optional<FolderEntries> Open(const std::string& dos_folder);
  // Opens a folder by its real host path, as a search found it: no part of
  // the path may be a link (nor "." or ".."). Nothing when it cannot be
  // opened so.
  static std::optional<FolderEntries> OpenHost(const std::string& host_folder);
  // Opens the subfolder `name` of this folder relative to it, never through
  // a link and never into another mount: a link to a folder is no subfolder,
  // and a file system or bind mount put inside the folder is not entered.
  // Nothing when it cannot be opened; `kind`, when given, tells why.
  std::optional<FolderEntries> OpenSubfolder(const std::string& name, ChildFolderKind* kind = nullptr) const;

  FolderEntries(FolderEntries&& other) noexcept = default;
  FolderEntries& operator=(FolderEntries&&) = delete;

  // The opened folder's own identity.
  const FileIdentity& Identity() const { return identity_; }
  // True while the folder's host path still leads to this opened folder, so
  // that a path composed from it names this folder's entries.
  bool StillAtItsPath() const;

  // What a read of the folder finds, in the order the file system returns
  // it: `folders` holds every entry that leads to a folder (hidden ones and
  // links to folders too), `files` the regular files and links to regular
  // files that are not hidden; pipes, sockets and devices are in neither.
  // The kind the read reports decides, so only links and entries of an
  // unreported kind are looked at. Names past 4 GiB in all are left out.
  struct Contents {
    NameList folders;
    NameList files;
  };

  // What a read takes. kListing: as described above. kEveryFile: for
  // emptying a whole tree, `files` holds every entry IsTreeFile takes,
  // hidden ones too, and a link is a file whatever it leads to; `folders`
  // holds only real subfolders.
  enum class ReadKind { kListing, kEveryFile };

  // One read of the folder, taken in steps so that a caller can show the
  // first entries while the rest are read. The folder must outlive it.
  class Reading {
   public:
    explicit Reading(const FolderEntries& folder, ReadKind kind = ReadKind::kListing);
    // False when the folder cannot be read.
    bool ok() const { return dir_ != nullptr; }
    // Adds up to `limit` more entries to `contents`; true once the folder
    // has been read to its end.
    bool Next(Contents& contents, std::size_t limit);

   private:
    int folder_fd_;
    ReadKind kind_;
    std::unique_ptr<DIR, int (*)(DIR*)> dir_;
  };

  // The host path of an entry; nothing for a text that names no entry.
  std::optional<std::string> HostPathOf(const std::string& name) const;

  // As GetFileAttributes, for an entry.
  std::optional<std::uint32_t> Attributes(const std::string& name) const;
  // The size in bytes of an entry as it stands (a link's own size, not its
  // target's); nothing for a text that names no entry.
  std::optional<std::uint64_t> Size(const std::string& name) const;
  // As SetFileAttributes, for an entry. Returns a status code.
  int SetAttributes(const std::string& name, std::uint32_t attributes) const;
  // Deletes an entry as a file in one system call, without a look at it
  // first: a folder refuses (EISDIR) and a link goes as the link. Unlike
  // DeleteFile, a read-only file goes too (on Linux the folder's permissions
  // guard its entries). Returns 0, or the system's error number (EINVAL for a
  // text that names no entry), so that a refusal is told by its own reason.
  // With `freed`, the entry is looked at first (one more system call), and
  // once it is gone `freed` holds the disk space its going gave back: the
  // blocks it held when that was its last link, 0 when another link keeps
  // its data (or it could not be looked at).
  int Delete(const std::string& name, std::uint64_t* freed = nullptr) const;
  // Moves an entry that is neither a folder nor a link to one into the trash
  // (a link as the link), by a rename relative to this folder. The trash is
  // found at the first entry and serves every later one. An entry that is not
  // moved stays as it was. A note, when given, is told of each attempt to move.
  TrashResult Trash(const std::string& name, TrashMoveNote note = nullptr) const;
  // Why the trash cannot be used, once Trash has said kTrashUnusable; no
  // problem (error 0) otherwise.
  const TrashProblem& TrashFolderProblem() const;
  // The system's error number behind the last Trash that said kFailed.
  int TrashFailure() const;

 private:
  FolderEntries(UniqueFd fd, std::string host, FileIdentity identity)
      : fd_(std::move(fd)), host_(std::move(host)), identity_(identity) {}

  UniqueFd fd_;
  std::string host_;  // the folder's host path, for the trash's record
  FileIdentity identity_;
  mutable std::optional<FolderTrash> trash_;  // found at the first move into the trash
};

}  // namespace vorlix::platform
