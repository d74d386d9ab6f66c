// SPDX-License-Identifier: MIT
// Which trash folder serves an open folder.

#include "platform/trash_folder.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <gio/gunixmounts.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/private_files.h"
#include "platform/xdg.h"

namespace vorlix::platform {
namespace {

// The top folder of the file system that holds a canonical folder path.
std::string TopFolderOf(std::string path, dev_t device) {
  while (path != "/") {
    const std::size_t slash = path.rfind('/');
    const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    if (stat(parent.c_str(), &st) != 0 || st.st_dev != device) break;
    path = parent;
  }
  return path;
}

// Mounts that are the system's own (the root, /usr, tmpfs, proc and the like)
// or marked "x-gvfs-notrash" get no trash folder, as file managers agree.
bool MountRefusesTrash(const std::string& top) {
  GUnixMountEntry* mount = g_unix_mount_at(top.c_str(), nullptr);
  if (mount == nullptr) return true;
  const char* options = g_unix_mount_get_options(mount);
  const bool refuses = g_unix_mount_is_system_internal(mount) ||
                       (options != nullptr && std::string(options).find("x-gvfs-notrash") != std::string::npos);
  g_unix_mount_free(mount);
  return refuses;
}

TrashFolder HomeTrash() {
  TrashFolder trash;
  trash.path = DataHome() + "/Trash";
  if (!MakePrivateFolders(trash.path)) {
    trash.error = errno;
    return trash;
  }
  trash.folder = UniqueFd(open(trash.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!trash.folder.ok()) trash.error = errno;
  return trash;
}

TrashFolder TopTrash(int folder_fd, dev_t device) {
  TrashFolder trash;
  char canonical[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(folder_fd);
  const ssize_t length = readlink(link.c_str(), canonical, sizeof canonical - 1);
  if (length <= 0) return trash;
  trash.top = TopFolderOf(std::string(canonical, static_cast<std::size_t>(length)), device);
  if (MountRefusesTrash(trash.top)) return trash;
  trash.path = trash.top;
  const UniqueFd top_fd(open(trash.top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!top_fd.ok()) {
    trash.error = errno;
    return trash;
  }
  const std::string uid = std::to_string(geteuid());
  // A shared ".Trash" is used only when it is sticky and not a link, so that
  // nobody else can remove or replace this user's folder in it.
  struct stat shared {};
  if (fstatat(top_fd.get(), ".Trash", &shared, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX) != 0) {
    const UniqueFd shared_fd(openat(top_fd.get(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (shared_fd.ok()) trash.folder = OwnFolder(shared_fd.get(), uid.c_str());
    if (trash.folder.ok()) {
      trash.path = trash.top + "/.Trash/" + uid;
      return trash;
    }
  }
  trash.path = trash.top + "/.Trash-" + uid;
  trash.folder = OwnFolder(top_fd.get(), (".Trash-" + uid).c_str());
  if (!trash.folder.ok()) trash.error = errno;
  return trash;
}

}  // namespace

UniqueFd OwnFolder(int at, const char* name) {
  const int made = mkdirat(at, name, 0700) == 0 || errno == EEXIST ? 0 : errno;
  UniqueFd folder(openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!folder.ok()) {
    // A folder that could not be made is missing for the reason it could not be made.
    if (errno == ENOENT && made != 0) errno = made;
    return folder;
  }
  struct stat st {};
  if (fstat(folder.get(), &st) != 0) return UniqueFd();
  if (st.st_uid != geteuid()) {
    errno = EPERM;
    return UniqueFd();
  }
  return folder;
}

TrashFolder FindTrashFolder(int folder_fd) {
  struct stat folder {}, home {};
  if (fstat(folder_fd, &folder) != 0) return TrashFolder();
  if (stat(HomeDir().c_str(), &home) == 0 && home.st_dev == folder.st_dev) return HomeTrash();
  return TopTrash(folder_fd, folder.st_dev);
}

}  // namespace vorlix::platform
