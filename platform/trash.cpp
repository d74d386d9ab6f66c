// SPDX-License-Identifier: MIT
// The freedesktop.org trash.

#include "platform/trash.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <gio/gunixmounts.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>

#include "platform/entry_attributes.h"
#include "platform/file_log.h"
#include "platform/unique_fd.h"
#include "platform/xdg.h"

namespace vorlix::platform {
namespace {

UniqueFd OpenFolder(int at, const char* name) {
  return UniqueFd(openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// A folder of this user's below `at`, made when it is missing; never a link.
UniqueFd OwnFolder(int at, const char* name) {
  mkdirat(at, name, 0700);
  UniqueFd folder = OpenFolder(at, name);
  struct stat st {};
  if (!folder.ok() || fstat(folder.get(), &st) != 0 || st.st_uid != geteuid()) return UniqueFd();
  return folder;
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

struct TrashFolder {
  UniqueFd folder;
  std::string top;  // the file system's top folder; empty for the home trash
};

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

std::optional<TrashFolder> TrashFor(int folder_fd) {
  struct stat folder {}, home {};
  if (fstat(folder_fd, &folder) != 0) return std::nullopt;
  if (stat(HomeDir().c_str(), &home) == 0 && home.st_dev == folder.st_dev) {
    const std::string trash = DataHome() + "/Trash";
    if (!MakeFolders(trash)) return std::nullopt;
    UniqueFd fd(open(trash.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.ok()) return std::nullopt;
    return TrashFolder{std::move(fd), {}};
  }
  char canonical[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(folder_fd);
  const ssize_t length = readlink(link.c_str(), canonical, sizeof canonical - 1);
  if (length <= 0) return std::nullopt;
  const std::string top = TopFolderOf(std::string(canonical, static_cast<std::size_t>(length)), folder.st_dev);
  if (MountRefusesTrash(top)) return std::nullopt;
  const UniqueFd top_fd(open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!top_fd.ok()) return std::nullopt;
  const std::string uid = std::to_string(geteuid());
  // A shared ".Trash" (sticky, not a link) with a folder per user, else ".Trash-<uid>".
  struct stat shared {};
  if (fstatat(top_fd.get(), ".Trash", &shared, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX) != 0) {
    const UniqueFd shared_fd = OpenFolder(top_fd.get(), ".Trash");
    if (UniqueFd own = shared_fd.ok() ? OwnFolder(shared_fd.get(), uid.c_str()) : UniqueFd(); own.ok()) {
      return TrashFolder{std::move(own), top};
    }
  }
  UniqueFd own = OwnFolder(top_fd.get(), (".Trash-" + uid).c_str());
  if (!own.ok()) return std::nullopt;
  return TrashFolder{std::move(own), top};
}

// The n-th name tried for an entry: the name itself, then a number before
// its first dot ("a.tar.gz", "a.2.tar.gz", "a.3.tar.gz").
std::string CandidateName(const std::string& name, int n) {
  if (n == 1) return name;
  const std::size_t dot = name.find('.');
  if (dot == std::string::npos || dot == 0) return name + "." + std::to_string(n);
  return name.substr(0, dot) + "." + std::to_string(n) + name.substr(dot);
}

std::string Record(const std::string& path) {
  char* escaped = g_uri_escape_string(path.c_str(), "/", FALSE);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char when[32] = "9999-12-31T23:59:59";
  if (localtime_r(&now, &local) != nullptr) std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
  std::string record = std::string("[Trash Info]\nPath=") + escaped + "\nDeletionDate=" + when + "\n";
  g_free(escaped);
  return record;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

FolderTrash::Found FolderTrash::Find(int folder_fd) {
  Found found;
  // An entry of a folder that refuses changes (read-only mount, immutable,
  // no write permission) cannot move; the trash would find that out only
  // after writing its record.
  found.writable = faccessat(folder_fd, ".", W_OK, AT_EACCESS) == 0;
  if (!found.writable) return found;
  std::optional<TrashFolder> trash = TrashFor(folder_fd);
  if (!trash) return found;
  found.info = OwnFolder(trash->folder.get(), "info");
  if (found.info.ok()) found.files = OwnFolder(trash->folder.get(), "files");
  if (!found.files.ok()) {
    found.error = errno;
    found.info = UniqueFd();
    return found;
  }
  found.top = std::move(trash->top);
  return found;
}

TrashResult FolderTrash::Move(const std::string& name, const std::string& original_path) {
  struct stat own {};
  if (fstatat(folder_fd_, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
    LogFileFailure("look at", original_path, errno);
    return TrashResult::kFailed;
  }
  if (LeadsToFolder(folder_fd_, name.c_str(), own)) return TrashResult::kFailed;
  if (!found_) found_ = Find(folder_fd_);
  if (!found_->writable) return TrashResult::kFailed;
  if (!found_->info.ok()) {
    if (found_->error != 0) LogFileFailure("open the trash folder for", original_path, found_->error);
    return TrashResult::kNoTrash;
  }
  // A trash at a file system's top may record the path below that top.
  const std::string& top = found_->top;
  std::string recorded = original_path;
  if (!top.empty() && top != "/" && recorded.starts_with(top + "/")) recorded.erase(0, top.size() + 1);
  const std::string record = Record(recorded);
  for (int n = 1; n < 100000; ++n) {
    const std::string trashed = CandidateName(name, n);
    const std::string info_name = trashed + ".trashinfo";
    const UniqueFd info_file(
        openat(found_->info.get(), info_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!info_file.ok()) {
      if (errno == EEXIST) continue;
      LogFileFailure("write the trash record of", original_path, errno);
      return TrashResult::kFailed;
    }
    // The record is complete before the entry moves, so nobody reads an empty one.
    if (WriteAll(info_file.get(), record) &&
        renameat2(folder_fd_, name.c_str(), found_->files.get(), trashed.c_str(), RENAME_NOREPLACE) == 0) {
      return TrashResult::kMoved;
    }
    const int error = errno;
    unlinkat(found_->info.get(), info_name.c_str(), 0);
    if (error != EEXIST) {
      LogFileFailure("move into the trash", original_path, error);
      return TrashResult::kFailed;
    }
  }
  return TrashResult::kFailed;
}

bool MoveToTrash(int folder_fd, const std::string& name, const std::string& original_path) {
  return FolderTrash(folder_fd).Move(name, original_path) == TrashResult::kMoved;
}

}  // namespace vorlix::platform
