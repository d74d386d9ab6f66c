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

#include "platform/file_io.h"

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

// Calls `visit(folder fd, name, own status)` for each entry of an open
// folder other than "." and "..".
template <typename Visit>
void ForEachOpenEntry(const DirHandle& dir, Visit&& visit) {
  if (!dir) return;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    if (IsDotName(entry->d_name)) continue;
    struct stat own {};
    if (fstatat(fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
    visit(fd, entry->d_name, own);
  }
}

template <typename Visit>
void ForEachEntry(const std::string& host_folder, Visit&& visit) {
  ForEachOpenEntry(OpenFolder(host_folder), visit);
}

// A subfolder of an open folder, opened below it and never through a link;
// null when it cannot be opened.
DirHandle OpenSubfolder(int folder_fd, const char* name) {
  const int sub = openat(folder_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (sub < 0) return nullptr;
  DIR* dir = fdopendir(sub);
  if (dir == nullptr) close(sub);
  return DirHandle(dir);
}

void AddFile(FileTally& tally, const struct stat& own) {
  ++tally.files;
  tally.bytes += static_cast<std::uint64_t>(own.st_size);
}

// Adds the files of an open folder and of its subfolders, each opened below
// its parent with O_NOFOLLOW so that no link is ever followed; the files
// directly in the folder also to `direct`, when given.
void TallyOpenTree(const DirHandle& dir, FileTally& tally, FileTally* direct) {
  ForEachOpenEntry(dir, [&](int fd, const char* name, const struct stat& own) {
    if (!S_ISDIR(own.st_mode)) {
      AddFile(tally, own);
      if (direct != nullptr) AddFile(*direct, own);
      return;
    }
    TallyOpenTree(OpenSubfolder(fd, name), tally, nullptr);
  });
}

// Counts the entries that are not folders of an open folder and of its
// subfolders, each opened below its parent with O_NOFOLLOW.
void CountOpenTree(const DirHandle& dir, std::uint64_t& files) {
  if (!dir) return;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    if (IsDotName(entry->d_name)) continue;
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat own {};
      if (fstatat(fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
      folder = S_ISDIR(own.st_mode);
    }
    if (!folder) {
      ++files;
      continue;
    }
    CountOpenTree(OpenSubfolder(fd, entry->d_name), files);
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
  TallyOpenTree(OpenFolder(host_folder), tally, direct);
  return tally;
}

std::uint64_t CountTreeFiles(const std::string& host_folder) {
  std::uint64_t files = 0;
  CountOpenTree(OpenFolder(host_folder), files);
  return files;
}

std::optional<std::string> LinkTarget(const std::string& host_path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink(host_path.c_str(), target.data(), target.size());
  if (length < 0) return std::nullopt;
  target.resize(static_cast<std::size_t>(length));
  return target;
}

bool IsOwnFolder(const std::string& host_path) {
  struct stat st {};
  return stat(host_path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

std::optional<std::string> ReadSmallFile(const std::string& host_path, std::size_t limit) {
  std::optional<SourceFile> file = SourceFile::Open(host_path);
  if (!file) return std::nullopt;
  std::string text(limit, '\0');
  std::size_t used = 0;
  while (used < limit) {
    const ssize_t got = file->Read(text.data() + used, limit - used);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  text.resize(used);
  return text;
}

bool IsFileLocked(const std::string& host_path) {
  const int fd = open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  // An open-file-description query sees record locks of every process,
  // this one's included.
  struct flock query {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  const bool locked = fcntl(fd, F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
  close(fd);
  return locked;
}

}  // namespace vorlix::platform
