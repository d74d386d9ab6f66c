// SPDX-License-Identifier: MIT
// Whole small text files: read, replaced in one rename, removed.

#include "platform/small_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/private_files.h"
#include "platform/unique_fd.h"
#include "platform/xdg.h"

namespace vorlix::platform {

std::optional<std::string> ReadSmallFile(const std::string& host_path, std::size_t limit) {
  // Never waits: a pipe put in a file's place gives what it holds at once.
  const UniqueFd fd(open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.ok()) return std::nullopt;
  return ReadOpenFile(fd.get(), limit);
}

std::string WriteSmallFile(const std::string& host_path, const std::string& content) {
  if (InsideMissingHome(host_path)) return "the home folder " + HomeDir() + " does not exist";
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(host_path).parent_path(), error);
  if (error) return error.message();
  const std::string temporary = host_path + ".new";
  UniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!fd.ok()) return std::strerror(errno);
  if (!WriteAll(fd.get(), content)) {
    const int reason = errno;
    unlink(temporary.c_str());
    return std::strerror(reason);
  }
  if (fsync(fd.get()) != 0 || !fd.Close() || rename(temporary.c_str(), host_path.c_str()) != 0) {
    const int reason = errno;
    unlink(temporary.c_str());
    return std::strerror(reason);
  }
  return {};
}

std::string RemoveSmallFile(const std::string& host_path) {
  if (unlink(host_path.c_str()) == 0 || errno == ENOENT) return {};
  return std::strerror(errno);
}

}  // namespace vorlix::platform
