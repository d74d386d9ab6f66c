// SPDX-License-Identifier: MIT
// Files of this user's own that nobody else may read: a private folder
// (0700), files in it (0600) that grow by appending, never reached through a
// link.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_fd.h"

namespace vorlix::platform {

// Makes the folder at `path` and its missing parents, each 0700; false when
// one cannot be made (errno says why). Folders already there stay as they are;
// nothing is made inside a home folder that does not exist (ENOENT).
bool MakePrivateFolders(const std::string& path);

// The folder at `path`, made 0700 with its missing parents; not open when it
// cannot be made or opened, or is a link (errno says why).
UniqueFd PrivateFolder(const std::string& path);

// Writes every byte of `text` to `fd`, again after an interrupted or partial
// write. False when not all could be written; errno says why (ENOSPC when the
// system took no bytes without naming an error).
bool WriteAll(int fd, std::string_view text);

// A new file that grows only at its end; each Append is one write(2), so a
// process killed at any moment leaves every earlier append whole.
class AppendFile {
 public:
  // Makes the file `name` in an open folder, 0600; nothing when it exists or
  // cannot be made (errno says why).
  static std::optional<AppendFile> Create(int folder_fd, const std::string& name);
  // False when not every byte could be written (errno says why).
  bool Append(std::string_view text);

 private:
  explicit AppendFile(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;
};

// The names of the regular files of an open folder, sorted; empty when it cannot be read.
std::vector<std::string> FileNames(int folder_fd);

// What an open file holds from where it stands, at most `limit` bytes;
// nothing when it cannot be read (errno says why).
std::optional<std::string> ReadOpenFile(int fd, std::size_t limit = SIZE_MAX);

// Reads the file `name` of an open folder (not a link) line by line, in
// memory bounded by `longest_line`: each line ended by LF goes to `each`
// without its LF, until `each` says false; a last line without its LF is left
// out. 0, or the system's error number: EISDIR for a folder, EINVAL for
// another entry that is no regular file, EFBIG for a file of more than
// `limit` bytes (nothing of it is read), EBADMSG at a line longer than
// `longest_line`.
int ReadLines(int folder_fd, const std::string& name, std::uint64_t limit, std::size_t longest_line,
              const std::function<bool(std::string_view)>& each);

// Removes the file `name` of an open folder. 0, or the system's error number.
int RemoveFile(int folder_fd, const std::string& name);

}  // namespace vorlix::platform
