// SPDX-License-Identifier: MIT
// Files through DOS paths.

#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string_view>

#include "platform/ascii.h"
#include "platform/drive_paths.h"
#include "platform/file_log.h"
#include "platform/folder_reads.h"
#include "platform/entry_attributes.h"
#include "platform/status.h"

namespace vorlix::platform {
namespace {

std::string_view BaseName(std::string_view host) {
  const std::size_t slash = host.rfind('/');
  return slash == std::string_view::npos ? host : host.substr(slash + 1);
}

bool Glob(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// The folder that holds what a DOS path names, opened for reaching its
// entries, with the entry's name and host path; otherwise the status code of
// the failure (3 when the folder is missing).
int OpenEntry(const std::string& path, UniqueFd& folder, std::string& name, std::string& host) {
  const std::optional<ResolvedPath> resolved = Resolve(path);
  if (!resolved) return kPathNotFound;
  host = resolved->host;
  folder = OpenHolder(host, name);
  if (folder.ok()) return kOk;
  const int error = errno;
  return Logged(error == ENOENT ? kPathNotFound : LstatStatus(error), "open the folder of", host, error);
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  const std::string_view text = pattern;
  const bool has_dot = name.find('.') != std::string::npos;
  if (text.size() >= 2 && text.ends_with(".*")) {
    // "x.*" also finds "x": a name without an extension has an empty one.
    return Glob(name, text) || (!has_dot && Glob(name, text.substr(0, text.size() - 2)));
  }
  if (text.size() >= 2 && text.ends_with('.')) return !has_dot && Glob(name, text.substr(0, text.size() - 1));
  return Glob(name, text);
}

std::optional<std::uint32_t> GetFileAttributes(const std::string& path) {
  const std::optional<ResolvedPath> resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  return HostFileAttributes(resolved->host);
}

std::optional<std::uint32_t> HostFileAttributes(const std::string& host_path) {
  struct stat own {};
  if (lstat(host_path.c_str(), &own) != 0) return std::nullopt;
  return AttributesOf(BaseName(host_path), own, LeadsToFolder(AT_FDCWD, host_path.c_str(), own));
}

int SetFileAttributes(const std::string& path, std::uint32_t attributes) {
  UniqueFd folder;
  std::string name, host;
  if (const int status = OpenEntry(path, folder, name, host); status != kOk) return status;
  return SetEntryReadOnly(folder.get(), name.c_str(), attributes, host);
}

int DeleteFile(const std::string& path) {
  UniqueFd folder;
  std::string name, host;
  if (const int status = OpenEntry(path, folder, name, host); status != kOk) return status;
  return DeleteEntry(folder.get(), name.c_str(), host);
}

int FindFiles(const std::string& pattern, std::uint32_t include, std::vector<FoundEntry>& found) {
  found.clear();
  const std::string_view text(pattern.c_str());
  const std::size_t cut = text.find_last_of("\\/");
  // The folder runs to the last separator, or is the bare drive of "c:name".
  const std::size_t folder_size = cut != std::string_view::npos              ? cut + 1
                                  : HasDrivePart(text) ? 2
                                                                         : 0;
  const std::string folder(text.substr(0, folder_size));
  const std::string name_pattern(text.substr(folder_size));
  const std::optional<ResolvedPath> resolved = Resolve(folder);
  if (!resolved) return kPathNotFound;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(resolved->host.c_str()), closedir);
  if (!dir) return kPathNotFound;
  CountFolderRead();
  const int dir_fd = dirfd(dir.get());
  const std::uint32_t special = kAttrHidden | kAttrSystem | kAttrDirectory;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == ".." || !MatchesPattern(entry->d_name, name_pattern)) continue;
    struct stat own {};
    if (fstatat(dir_fd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
    const std::uint32_t attributes = AttributesOf(name, own, LeadsToFolder(dir_fd, entry->d_name, own));
    if ((attributes & special & ~include) != 0) continue;
    found.push_back({std::string(name), attributes, static_cast<std::int64_t>(own.st_size)});
  }
  return kOk;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const std::optional<ResolvedPath> resolved = Resolve(path, false);
  if (!resolved) return std::nullopt;
  return HostIdentityOf(resolved->host);
}

std::optional<FileIdentity> HostIdentityOf(const std::string& host_path) {
  struct stat st {};
  if (stat(host_path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

}  // namespace vorlix::platform
