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

int ReadLines(int folder_fd, const std::string& name, std::uint64_t limit, std::size_t longest_line,
              const std::function<bool(std::string_view)>& each) {
  // Not held up by a pipe put in its place: only a regular file is read.
  const UniqueFd fd(openat(folder_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (!fd.ok() || fstat(fd.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  if (static_cast<std::uint64_t>(st.st_size) > limit) return EFBIG;
  std::string line;
  char buffer[65536];
  for (std::uint64_t taken = 0;;) {
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    // A file that grew past the limit since it was looked at ends there.
    taken += static_cast<std::uint64_t>(got);
    if (taken > limit) return EFBIG;
    for (std::string_view rest(buffer, static_cast<std::size_t>(got)); !rest.empty();) {
      const std::size_t end = rest.find('\n');
      line.append(rest.substr(0, end));
      if (line.size() > longest_line) return EBADMSG;
      if (end == std::string_view::npos) break;
      if (!each(line)) return 0;
      line.clear();
      rest.remove_prefix(end + 1);
    }
  }
}

int RemoveFile(int folder_fd, const std::string& name) {
  return unlinkat(folder_fd, name.c_str(), 0) == 0 ? 0 : errno;
}

}  // namespace vorlix::platform
