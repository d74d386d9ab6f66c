// SPDX-License-Identifier: MIT
// The freedesktop.org trash.

#include "platform/trash.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/entry_attributes.h"
#include "platform/file_log.h"
#include "platform/private_files.h"
#include "platform/trash_folder.h"
#include "platform/trashed_entry.h"

namespace vorlix::platform {
namespace {

// The longest name in the trash whose record's name still fits the file system.
constexpr std::size_t kLongestTrashedName = NAME_MAX - kTrashInfoEnding.size();

// The first `size` bytes of a text, or a little less so that no UTF-8
// character is split (a character has at most three bytes after its first).
std::string_view CutTo(std::string_view text, std::size_t size) {
  if (text.size() <= size) return text;
  for (int back = 0; back < 3 && size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80; ++back) --size;
  return text.substr(0, size);
}

// The n-th name tried for an entry: the name itself, then a number before
// its first dot ("a.tar.gz", "a.2.tar.gz", "a.3.tar.gz"). A name too long
// for its record is cut before that dot, or at its end when the part from the
// dot on is too long itself; the record keeps the full name.
std::string CandidateName(std::string_view name, int n) {
  std::string number;
  if (n != 1) number.append(1, '.').append(std::to_string(n));
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos || dot == 0) dot = name.size();
  std::string_view stem = name.substr(0, dot);
  std::string_view ending = name.substr(dot);
  if (stem.size() + number.size() + ending.size() > kLongestTrashedName) {
    const std::size_t kept = number.size() + ending.size();
    stem = CutTo(stem, kept < kLongestTrashedName ? kLongestTrashedName - kept : 0);
    if (stem.empty()) {
      stem = CutTo(name, kLongestTrashedName - number.size());
      ending = {};
    }
  }
  return std::string(stem) + number + std::string(ending);
}

// A folder of the trash that takes new entries: info/ or files/.
UniqueFd WritableFolder(int trash_fd, const char* name) {
  UniqueFd folder = OwnFolder(trash_fd, name);
  if (folder.ok() && faccessat(folder.get(), ".", W_OK | X_OK, AT_EACCESS) != 0) return UniqueFd();
  return folder;
}

}  // namespace

FolderTrash::Found FolderTrash::Find(int folder_fd) {
  Found found;
  struct stat own {};
  if (fstat(folder_fd, &own) == 0) found.folder = {own.st_dev, own.st_ino};
  // An entry of a folder that refuses changes (read-only mount, immutable,
  // no write permission) cannot move; the trash would find that out only
  // after writing its record.
  found.writable = faccessat(folder_fd, ".", W_OK, AT_EACCESS) == 0;
  if (!found.writable) {
    found.not_writable = errno;
    return found;
  }
  const TrashFolder trash = FindTrashFolder(folder_fd);
  if (!trash.folder.ok()) {
    found.problem = {trash.path, trash.error};
    return found;
  }
  found.info = WritableFolder(trash.folder.get(), "info");
  const char* unusable = "info";
  if (found.info.ok()) {
    found.files = WritableFolder(trash.folder.get(), "files");
    unusable = "files";
  }
  if (!found.files.ok()) {
    found.problem = {trash.path + "/" + unusable, errno};
    found.info = UniqueFd();
    return found;
  }
  found.top = trash.top;
  found.path = trash.path;
  return found;
}

const TrashProblem& FolderTrash::Problem() const {
  static const TrashProblem kNone;
  return found_ ? found_->problem : kNone;
}

TrashResult FolderTrash::Move(const std::string& name, const std::string& original_path, TrashMoveNote note) {
  struct stat own {};
  if (fstatat(folder_fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
    const int error = errno;
    LogFileFailure("look at", original_path, error);
    return Failed(error);
  }
  if (LeadsToFolder(folder_fd_, name.c_str(), own)) return Failed(EISDIR);
  if (!found_) found_ = Find(folder_fd_);
  if (!found_->writable) return Failed(found_->not_writable);
  if (!found_->info.ok()) {
    if (found_->problem.error == 0) return TrashResult::kNoTrash;
    LogFileFailure("use the trash folder " + found_->problem.folder + " for", original_path, found_->problem.error);
    return TrashResult::kTrashUnusable;
  }
  // A trash at a file system's top records the path below that top.
  const std::string& top = found_->top;
  std::string recorded = original_path;
  if (!top.empty() && top != "/" && recorded.starts_with(top + "/")) recorded.erase(0, top.size() + 1);
  const std::string record = TrashInfoText(recorded);
  for (int n = 1; n < 100000; ++n) {
    const std::string trashed = CandidateName(name, n);
    const std::string info_name = trashed + std::string(kTrashInfoEnding);
    const UniqueFd info_file(
        openat(found_->info.get(), info_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!info_file.ok()) {
      const int error = errno;
      if (error == EEXIST) continue;
      LogFileFailure("write the trash record of", original_path, error);
      return Failed(error);
    }
    // The record is complete before the entry moves, so nobody reads an empty one.
    struct stat record_file {};
    const bool written = WriteAll(info_file.get(), record) && fstat(info_file.get(), &record_file) == 0;
    if (written && note != nullptr) {
      note({found_->path, trashed, original_path, found_->folder, MarkOf(own, record_file, record)});
    }
    if (written && renameat2(folder_fd_, name.c_str(), found_->files.get(), trashed.c_str(), RENAME_NOREPLACE) == 0) {
      return TrashResult::kMoved;
    }
    const int error = errno;
    unlinkat(found_->info.get(), info_name.c_str(), 0);
    if (error != EEXIST) {
      LogFileFailure("move into the trash", original_path, error);
      return Failed(error);
    }
  }
  return Failed(EEXIST);
}

TrashResult FolderTrash::Failed(int error) {
  failure_ = error;
  return TrashResult::kFailed;
}

bool MoveToTrash(int folder_fd, const std::string& name, const std::string& original_path) {
  return FolderTrash(folder_fd).Move(name, original_path) == TrashResult::kMoved;
}

}  // namespace vorlix::platform
