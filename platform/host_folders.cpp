// SPDX-License-Identifier: MIT
// Read-only looks at host folders by host path, for searches that walk the user's own folders.
#include "platform/host_folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#include "platform/child_folder.h"
#include "platform/folder_entries.h"

namespace vorlix::platform {

std::string JoinHostPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

DirHandle OpenFolder(const std::string& host_folder) {
  const int fd = open(host_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) close(fd);
  return DirHandle(dir);
}

bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls `visit(name, own status)` for each entry other than "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& host_folder, Visit&& visit) {
  DirHandle dir = OpenFolder(host_folder);
  if (!dir) return;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    if (IsDotName(entry->d_name)) continue;
    struct stat own {};
    if (fstatat(fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
    visit(fd, entry->d_name, own);
  }
}

// A subfolder of an open folder, opened below it as an emptying opens it:
// never through a link nor into another mount; null when it cannot be opened.
DirHandle OpenSubfolder(int folder_fd, const char* name) {
  ChildFolder child = OpenChildFolder(folder_fd, name);
  if (!child.fd.ok()) return nullptr;
  DIR* dir = fdopendir(child.fd.get());
  if (dir != nullptr) child.fd.Release();
  return DirHandle(dir);
}

// Adds the files of an open folder and of its subfolders that emptying the
// tree removes (IsTreeFile) to `tally`, each subfolder opened below its
// parent as the emptying opens it, never through a link nor into another
// mount; the files directly in the folder also to `direct`, when given.
// Unless `sized`, an entry is looked at by itself only when the read does
// not report its kind, and no bytes are added. Folders deeper than
// kMaxTreeDepth are passed by, as the emptying passes them by.
void TallyOpenTree(const DirHandle& dir, bool sized, FileTally& tally, FileTally* direct, int depth = 0) {
  if (!dir) return;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    if (IsDotName(entry->d_name)) continue;
    struct stat own {};
    unsigned char kind = entry->d_type;
    if (sized || kind == DT_UNKNOWN) {
      if (fstatat(fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
      kind = IFTODT(own.st_mode);
    }
    if (kind == DT_DIR) {
      if (depth < kMaxTreeDepth) TallyOpenTree(OpenSubfolder(fd, entry->d_name), sized, tally, nullptr, depth + 1);
      continue;
    }
    if (!IsTreeFile(kind)) continue;
    for (FileTally* each : {&tally, direct}) {
      if (each == nullptr) continue;
      ++each->files;
      each->bytes += sized ? static_cast<std::uint64_t>(own.st_size) : 0;
    }
  }
}

}  // namespace

std::optional<std::string> RealFolder(const std::string& host_path) {
  char resolved[PATH_MAX];
  if (realpath(host_path.c_str(), resolved) == nullptr) return std::nullopt;
  struct stat st {};
  if (stat(resolved, &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return std::string(resolved);
}

std::vector<std::string> SubfolderNames(const std::string& host_folder) {
  std::vector<std::string> names;
  ForEachEntry(host_folder, [&](int fd, const char* name, const struct stat& own) {
    struct stat target {};
    const bool folder = S_ISDIR(own.st_mode) ||
                        (S_ISLNK(own.st_mode) && fstatat(fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode));
    if (folder) names.emplace_back(name);
  });
  std::sort(names.begin(), names.end());
  return names;
}

FileTally TallyTree(const std::string& host_folder, FileTally* direct) {
  FileTally tally;
  TallyOpenTree(OpenFolder(host_folder), true, tally, direct);
  return tally;
}

std::uint64_t CountTreeFiles(const std::string& host_folder) {
  FileTally tally;
  TallyOpenTree(OpenFolder(host_folder), false, tally, nullptr);
  return tally.files;
}

std::optional<std::string> LinkTarget(const std::string& host_path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink(host_path.c_str(), target.data(), target.size());
  if (length < 0) return std::nullopt;
  target.resize(static_cast<std::size_t>(length));
  return target;
}

PathBelow LookBelow(const std::string& root, const std::string& path) {
  if (!path.starts_with(root)) return {};
  std::string at = root;
  for (std::size_t start = root.size(); start < path.size();) {
    if (path[start] != '/' && root != "/") return {};
    if (path[start] == '/') ++start;
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string part = path.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return {};
    at = JoinHostPath(at, part);
    struct stat own {};
    if (lstat(at.c_str(), &own) != 0) return {};
    if (S_ISLNK(own.st_mode)) return {PathBelow::kLink, at};
    if (!S_ISDIR(own.st_mode)) return {};
    start = end;
  }
  return {PathBelow::kFolder, at};
}

bool HoldsRegularFile(const std::string& host_folder, const std::string& name) {
  struct stat own {};
  return lstat(JoinHostPath(host_folder, name).c_str(), &own) == 0 && S_ISREG(own.st_mode);
}

bool IsOwnFolder(const std::string& host_path) {
  struct stat st {};
  return stat(host_path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

bool IsFileLocked(const std::string& host_path, pid_t* holder) {
  const int fd = open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  // An open-file-description query sees record locks of every process,
  // this one's included.
  struct flock query {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  const bool locked = fcntl(fd, F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
  close(fd);
  if (locked && holder != nullptr) *holder = query.l_pid > 0 ? query.l_pid : 0;
  return locked;
}

}  // namespace vorlix::platform
