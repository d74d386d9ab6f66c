// SPDX-License-Identifier: MIT
// The entries of one folder, reached by name relative to the folder itself.

#include "platform/folder_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/drive_paths.h"
#include "platform/entry_attributes.h"
#include "platform/file_system.h"
#include "platform/folder_reads.h"
#include "platform/host_folders.h"
#include "platform/status.h"
#include "platform/trash.h"

namespace vorlix::platform {
namespace {

bool IsEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

}  // namespace

std::optional<std::string> EntryHostPath(const std::string& dos_folder, const std::string& name) {
  const std::optional<ResolvedPath> resolved = Resolve(dos_folder);
  if (!resolved || !IsEntryName(name)) return std::nullopt;
  return JoinHostPath(resolved->host, name);
}

namespace {

// An entry's kind as fstatat with `flags` sees it; DT_UNKNOWN when it cannot
// be looked at or is neither a folder, a file nor a link.
unsigned char LookedAtKind(int folder_fd, const char* name, int flags) {
  struct stat st {};
  if (fstatat(folder_fd, name, &st, flags) != 0) return DT_UNKNOWN;
  return S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
}

}  // namespace

unsigned char ReadEntryKind(int folder_fd, const char* name, unsigned char reported) {
  if (reported != DT_LNK && reported != DT_UNKNOWN) return reported;
  // A link counts by what it leads to; a link that leads nowhere is neither.
  return LookedAtKind(folder_fd, name, 0);
}

std::optional<FolderEntries> FolderEntries::Open(const std::string& dos_folder) {
  // The folder to read or clean is named by the path the system reported for
  // it: should it vanish, a twin of it in another letter case is not it.
  const std::optional<ResolvedPath> resolved = Resolve(dos_folder, false);
  if (!resolved) return std::nullopt;
  UniqueFd fd(open(resolved->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  struct stat own {};
  if (!fd.ok() || fstat(fd.get(), &own) != 0) return std::nullopt;
  return FolderEntries(std::move(fd), resolved->host, {own.st_dev, own.st_ino});
}

UniqueFd OpenHostFolder(const std::string& host_folder) {
  if (!host_folder.starts_with('/')) {
    errno = EINVAL;
    return UniqueFd();
  }
  UniqueFd fd(open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  for (std::size_t start = 1; fd.ok() && start < host_folder.size();) {
    const std::size_t end = std::min(host_folder.find('/', start), host_folder.size());
    const std::string part = host_folder.substr(start, end - start);
    if (part == "." || part == "..") {
      errno = EINVAL;
      return UniqueFd();
    }
    start = end + 1;
    if (part.empty()) continue;
    UniqueFd next(openat(fd.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    // With O_DIRECTORY the system says a link is no folder (ENOTDIR); it is told apart here.
    struct stat st {};
    if (!next.ok() && errno == ENOTDIR && fstatat(fd.get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(st.st_mode)) {
      errno = ELOOP;
    }
    fd = std::move(next);
  }
  return fd;
}

std::optional<FolderEntries> FolderEntries::OpenHost(const std::string& host_folder) {
  // A link put into the path since the folder was found leads nowhere.
  UniqueFd fd = OpenHostFolder(host_folder);
  struct stat own {};
  if (!fd.ok() || fstat(fd.get(), &own) != 0) return std::nullopt;
  return FolderEntries(std::move(fd), host_folder, {own.st_dev, own.st_ino});
}

std::optional<FolderEntries> FolderEntries::OpenSubfolder(const std::string& name, ChildFolderKind* kind) const {
  if (kind != nullptr) *kind = ChildFolderKind::kNotOpened;
  if (!IsEntryName(name)) return std::nullopt;
  ChildFolder child = OpenChildFolder(fd_.get(), name.c_str());
  if (kind != nullptr) *kind = child.kind;
  struct stat own {};
  if (!child.fd.ok() || fstat(child.fd.get(), &own) != 0) return std::nullopt;
  return FolderEntries(std::move(child.fd), JoinHostPath(host_, name), {own.st_dev, own.st_ino});
}

bool FolderEntries::StillAtItsPath() const { return HostIdentityOf(host_) == identity_; }

namespace {

// An entry's own kind, a link as a link; DT_UNKNOWN when it cannot be looked at.
unsigned char OwnEntryKind(int folder_fd, const char* name, unsigned char reported) {
  return reported != DT_UNKNOWN ? reported : LookedAtKind(folder_fd, name, AT_SYMLINK_NOFOLLOW);
}

}  // namespace

FolderEntries::Reading::Reading(const FolderEntries& folder, ReadKind kind)
    : folder_fd_(folder.fd_.get()), kind_(kind), dir_(nullptr, closedir) {
  const int read_fd = openat(folder_fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (read_fd < 0) return;
  dir_.reset(fdopendir(read_fd));
  if (!dir_) {
    close(read_fd);
    return;
  }
  CountFolderRead();
}

bool FolderEntries::Reading::Next(Contents& contents, std::size_t limit) {
  for (std::size_t taken = 0; taken < limit; ++taken) {
    const dirent* entry = readdir(dir_.get());
    if (entry == nullptr) return true;
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool kept = true;
    if (kind_ == ReadKind::kEveryFile) {
      const unsigned char kind = OwnEntryKind(folder_fd_, entry->d_name, entry->d_type);
      if (kind == DT_DIR) kept = contents.folders.push_back(name);
      if (IsTreeFile(kind)) kept = contents.files.push_back(name);
    } else {
      const bool hidden = name.front() == '.';
      const unsigned char kind = ReadEntryKind(folder_fd_, entry->d_name, entry->d_type);
      kept = kind == DT_DIR ? contents.folders.push_back(name)
             : kind == DT_REG && !hidden ? contents.files.push_back(name)
                                         : true;
    }
    if (!kept) return true;  // names past 4 GiB: the read ends here
  }
  return false;
}

std::optional<std::string> FolderEntries::HostPathOf(const std::string& name) const {
  if (!IsEntryName(name)) return std::nullopt;
  return JoinHostPath(host_, name);
}

std::optional<std::uint32_t> FolderEntries::Attributes(const std::string& name) const {
  struct stat own {};
  if (!IsEntryName(name) || fstatat(fd_.get(), name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return AttributesOf(name, own, LeadsToFolder(fd_.get(), name.c_str(), own));
}

int FolderEntries::SetAttributes(const std::string& name, std::uint32_t attributes) const {
  if (!IsEntryName(name)) return kInvalidName;
  return SetEntryReadOnly(fd_.get(), name.c_str(), attributes, JoinHostPath(host_, name));
}

std::optional<std::uint64_t> FolderEntries::Size(const std::string& name) const {
  struct stat own {};
  if (!IsEntryName(name) || fstatat(fd_.get(), name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(own.st_size);
}

int FolderEntries::Delete(const std::string& name, std::uint64_t* freed) const {
  if (!IsEntryName(name)) return EINVAL;
  struct stat own {};
  const bool looked = freed != nullptr && fstatat(fd_.get(), name.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0;
  const int error = UnlinkEntryError(fd_.get(), name.c_str(), JoinHostPath(host_, name));
  // st_blocks counts 512-byte units whatever the file system's block size.
  if (error == 0 && freed != nullptr) {
    *freed = looked && own.st_nlink <= 1 ? static_cast<std::uint64_t>(own.st_blocks) * 512 : 0;
  }
  return error;
}

TrashResult FolderEntries::Trash(const std::string& name, TrashMoveNote note) const {
  const std::optional<std::string> path = HostPathOf(name);
  if (!path) return TrashResult::kFailed;
  if (!trash_) trash_.emplace(fd_.get());
  return trash_->Move(name, *path, note);
}

int FolderEntries::TrashFailure() const { return trash_ ? trash_->Failure() : EINVAL; }

const TrashProblem& FolderEntries::TrashFolderProblem() const {
  static const TrashProblem kNone;
  return trash_ ? trash_->Problem() : kNone;
}

}  // namespace vorlix::platform
