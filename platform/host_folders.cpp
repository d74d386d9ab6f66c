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

FileTally TallyFiles(const std::string& host_folder) {
  FileTally tally;
  ForEachEntry(host_folder, [&](int, const char*, const struct stat& own) {
    if (S_ISDIR(own.st_mode)) return;
    ++tally.files;
    tally.bytes += static_cast<std::uint64_t>(own.st_size);
  });
  return tally;
}

}  // namespace vorlix::platform
