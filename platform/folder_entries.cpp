// SPDX-License-Identifier: MIT

#include "platform/folder_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/drive_paths.h"
#include "platform/entry_attributes.h"
#include "platform/file_system.h"
#include "platform/status.h"
#include "platform/trash.h"

namespace vorlix::platform {
namespace {

bool IsEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

}  // namespace

std::optional<FolderEntries> FolderEntries::Open(const std::string& dos_folder) {
  const std::optional<ResolvedPath> resolved = Resolve(dos_folder);
  if (!resolved) return std::nullopt;
  const int fd = open(resolved->host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return FolderEntries(fd, resolved->host);
}

FolderEntries::FolderEntries(FolderEntries&& other) noexcept : fd_(other.fd_), host_(std::move(other.host_)) {
  other.fd_ = -1;
}

FolderEntries::~FolderEntries() {
  if (fd_ >= 0) close(fd_);
}

std::optional<std::uint32_t> FolderEntries::Attributes(const std::string& name) const {
  struct stat own {};
  if (!IsEntryName(name) || fstatat(fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  return AttributesOf(name, own, LeadsToFolder(fd_, name.c_str(), own));
}

int FolderEntries::SetAttributes(const std::string& name, std::uint32_t attributes) const {
  if (!IsEntryName(name)) return kInvalidName;
  struct stat own {};
  if (fstatat(fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return LstatStatus(errno);
  if (S_ISLNK(own.st_mode)) return kOk;  // a link has no permissions of its own
  const mode_t mode = ModeWithReadOnly(own.st_mode, attributes);
  if (mode == (own.st_mode & 07777)) return kOk;
  return fchmodat(fd_, name.c_str(), mode, AT_SYMLINK_NOFOLLOW) == 0 ? kOk : StatusFromErrno(errno);
}

int FolderEntries::Delete(const std::string& name) const {
  if (!IsEntryName(name)) return kInvalidName;
  struct stat own {};
  if (fstatat(fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return LstatStatus(errno);
  if (const int refusal = DeleteRefusal(own); refusal != kOk) return refusal;
  return unlinkat(fd_, name.c_str(), 0) == 0 ? kOk : StatusFromErrno(errno);
}

bool FolderEntries::Trash(const std::string& name) const {
  struct stat own {};
  if (!IsEntryName(name) || fstatat(fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISDIR(own.st_mode)) return false;
  // An entry of a folder that refuses changes (read-only mount, immutable,
  // no write permission) cannot move; the trash would find that out only
  // after writing its record, and GLib leaks a little on that path.
  if (faccessat(fd_, ".", W_OK, AT_EACCESS) != 0) return false;
  return MoveToTrash(host_ == "/" ? "/" + name : host_ + "/" + name);
}

}  // namespace vorlix::platform
