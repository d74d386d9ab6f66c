// SPDX-License-Identifier: MIT
// Opening one subfolder of an open folder: never through a link, never into another mount.
#include "platform/child_folder.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include <cerrno>

namespace vorlix::platform {
namespace {

constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Why a subfolder could not be opened, told by what stands there: a link is
// refused with ELOOP or ENOTDIR, depending on what it leads to.
ChildFolder NotOpened(int folder_fd, const char* name, int error) {
  struct stat own {};
  if (fstatat(folder_fd, name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode)) {
    return {UniqueFd(), ChildFolderKind::kLink, ELOOP};
  }
  return {UniqueFd(), ChildFolderKind::kNotOpened, error};
}

bool IsMountRoot(int fd) {
  struct statx status {};
  return statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) == 0 &&
         (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
         (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

}  // namespace

ChildFolder OpenChildFolderPortable(int folder_fd, const char* name) {
  UniqueFd fd(openat(folder_fd, name, kFlags));
  if (!fd.ok()) return NotOpened(folder_fd, name, errno);
  struct stat parent {};
  struct stat child {};
  if (fstat(folder_fd, &parent) != 0 || fstat(fd.get(), &child) != 0) {
    return {UniqueFd(), ChildFolderKind::kNotOpened, errno};
  }
  if (parent.st_dev != child.st_dev || IsMountRoot(fd.get())) return {UniqueFd(), ChildFolderKind::kOtherMount, EXDEV};
  return {std::move(fd), ChildFolderKind::kOpened, 0};
}

ChildFolder OpenChildFolder(int folder_fd, const char* name) {
  open_how how{};
  how.flags = kFlags;
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS;
  const long fd = syscall(SYS_openat2, folder_fd, name, &how, sizeof how);
  if (fd >= 0) return {UniqueFd(static_cast<int>(fd)), ChildFolderKind::kOpened, 0};
  // No openat2 (before Linux 5.6), or a filter that forbids it.
  if (errno == ENOSYS || errno == EPERM || errno == E2BIG) return OpenChildFolderPortable(folder_fd, name);
  if (errno == EXDEV) return {UniqueFd(), ChildFolderKind::kOtherMount, EXDEV};
  return NotOpened(folder_fd, name, errno);
}

}  // namespace vorlix::platform
