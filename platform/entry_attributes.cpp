// SPDX-License-Identifier: MIT
// How one folder entry's status reads as Windows file attributes, and the rules for changing and
// deleting it.

#include "platform/entry_attributes.h"

#include <fcntl.h>

#include <cerrno>

#include "platform/file_log.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace vorlix::platform {

std::uint32_t AttributesOf(std::string_view name, const struct stat& own, bool leads_to_folder) {
  std::uint32_t attributes = 0;
  if (!name.empty() && name.front() == '.') attributes |= kAttrHidden;
  if (leads_to_folder) {
    attributes |= kAttrDirectory;
  } else {
    attributes |= kAttrArchive;
  }
  if (!S_ISLNK(own.st_mode) && (own.st_mode & 0222) == 0) attributes |= kAttrReadOnly;
  return attributes;
}

bool LeadsToFolder(int dir_fd, const char* name, const struct stat& own) {
  if (S_ISDIR(own.st_mode)) return true;
  if (!S_ISLNK(own.st_mode)) return false;
  struct stat target {};
  return fstatat(dir_fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

mode_t ModeWithReadOnly(mode_t mode, std::uint32_t attributes) {
  mode &= 07777;
  if (attributes & kAttrReadOnly) return mode & ~static_cast<mode_t>(0222);
  if ((mode & 0222) == 0) return mode | S_IWUSR;
  return mode;
}

int DeleteRefusal(const struct stat& own) {
  if (S_ISDIR(own.st_mode)) return kAccessDenied;
  if (!S_ISLNK(own.st_mode) && (own.st_mode & 0222) == 0) return kAccessDenied;
  return kOk;
}

int SetEntryReadOnly(int folder_fd, const char* name, std::uint32_t attributes, const std::string& path) {
  struct stat own {};
  if (fstatat(folder_fd, name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
    const int error = errno;
    return Logged(LstatStatus(error), "look at", path, error);
  }
  if (S_ISLNK(own.st_mode)) return kOk;  // a link has no permissions of its own
  const mode_t mode = ModeWithReadOnly(own.st_mode, attributes);
  if (mode == (own.st_mode & 07777)) return kOk;
  if (fchmodat(folder_fd, name, mode, AT_SYMLINK_NOFOLLOW) == 0) return kOk;
  const int error = errno;
  return Logged(StatusFromErrno(error), "change the permissions of", path, error);
}

int DeleteEntry(int folder_fd, const char* name, const std::string& path) {
  struct stat own {};
  if (fstatat(folder_fd, name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
    const int error = errno;
    return Logged(LstatStatus(error), "look at", path, error);
  }
  if (const int refusal = DeleteRefusal(own); refusal != kOk) return refusal;
  return UnlinkEntry(folder_fd, name, path);
}

int UnlinkEntryError(int folder_fd, const char* name, const std::string& path) {
  // Without AT_REMOVEDIR a folder refuses (EISDIR), whatever it holds.
  if (unlinkat(folder_fd, name, 0) == 0) return 0;
  const int error = errno;
  LogFileFailure("delete", path, error);
  return error;
}

int UnlinkEntry(int folder_fd, const char* name, const std::string& path) {
  return StatusFromErrno(UnlinkEntryError(folder_fd, name, path));
}

UniqueFd OpenHolder(const std::string& host_path, std::string& name) {
  const std::size_t slash = host_path.rfind('/');
  const bool own_entry = host_path == "/" || slash == std::string::npos;
  name = own_entry ? std::string(1, '.') : host_path.substr(slash + 1);
  const std::string folder = own_entry ? host_path : slash == 0 ? std::string(1, '/') : host_path.substr(0, slash);
  return UniqueFd(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

int LstatStatus(int error_number) { return error_number == ENOENT ? kFileNotFound : StatusFromErrno(error_number); }

int PathLstatStatus(int error_number, const std::string& host_path) {
  if (error_number != ENOENT) return LstatStatus(error_number);
  const std::size_t slash = host_path.rfind('/');
  const std::string folder = slash == 0 || slash == std::string::npos ? "/" : host_path.substr(0, slash);
  struct stat st {};
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? kFileNotFound : kPathNotFound;
}

}  // namespace vorlix::platform
