// SPDX-License-Identifier: MIT
// Files of this user's own that nobody else may read.

#include "platform/private_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/xdg.h"

namespace vorlix::platform {

bool MakePrivateFolders(const std::string& path) {
  if (InsideMissingHome(path)) {
    errno = ENOENT;
    return false;
  }
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

UniqueFd PrivateFolder(const std::string& path) {
  if (!MakePrivateFolders(path)) return UniqueFd();
  return UniqueFd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<AppendFile> AppendFile::Create(int folder_fd, const std::string& name) {
  UniqueFd fd(openat(folder_fd, name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.ok()) return std::nullopt;
  return AppendFile(std::move(fd));
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool AppendFile::Append(std::string_view text) { return WriteAll(fd_.get(), text); }

std::vector<std::string> FileNames(int folder_fd) {
  std::vector<std::string> names;
  const int own = openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (own < 0) return names;
  DIR* dir = fdopendir(own);
  if (dir == nullptr) {
    close(own);
    return names;
  }
  while (const dirent* entry = readdir(dir)) {
    struct stat st {};
    if (entry->d_name[0] != '.' && fstatat(folder_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> ReadOpenFile(int fd, std::size_t limit) {
  std::string text;
  char buffer[65536];
  while (text.size() < limit) {
    const ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit - text.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

std::optional<std::string> ReadWhole(int folder_fd, const std::string& name, std::size_t limit) {
  const UniqueFd fd(openat(folder_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.ok()) return std::nullopt;
  return ReadOpenFile(fd.get(), limit);
}

int RemoveFile(int folder_fd, const std::string& name) {
  return unlinkat(folder_fd, name.c_str(), 0) == 0 ? 0 : errno;
}

}  // namespace vorlix::platform
