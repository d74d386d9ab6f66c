// SPDX-License-Identifier: MIT
// A lock that one process of the user holds at a time, named by a text.

#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/xdg.h"

namespace vorlix::platform {

std::string NamedObjectPath(const std::string& name, const std::string& suffix) {
  const std::string runtime = RuntimeDir();
  if (!runtime.empty()) return runtime + "/" + name + suffix;
  std::error_code error;
  std::string temp = std::filesystem::temp_directory_path(error).string();
  if (error) temp = "/tmp";
  return temp + "/vorlix-" + std::to_string(getuid()) + "-" + name + suffix;
}

LockOutcome TakeNamedLock(const std::string& name, int& handle) {
  const int fd = open(NamedObjectPath(name, ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return LockOutcome::kFailed;
  // In a shared temporary folder another user could hold a file of that name.
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_uid != getuid() || !S_ISREG(st.st_mode)) {
    close(fd);
    return LockOutcome::kFailed;
  }
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    handle = fd;
    return LockOutcome::kTaken;
  }
  const bool held = errno == EWOULDBLOCK;
  close(fd);
  return held ? LockOutcome::kHeldByAnother : LockOutcome::kFailed;
}

void ReleaseNamedLock(int handle) { close(handle); }

void EndProcess(int exit_code) {
  std::fflush(nullptr);
  _exit(exit_code);
}

}  // namespace vorlix::platform
