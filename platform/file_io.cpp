// SPDX-License-Identifier: MIT
// Reading one file and writing another so that the destination is only ever replaced by a complete
// copy.

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/file_log.h"
#include "platform/private_files.h"

namespace vorlix::platform {

std::optional<SourceFile> SourceFile::Open(const std::string& host_path) {
  // Without O_NONBLOCK, opening a pipe would wait until someone writes to it.
  UniqueFd fd(open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.ok()) {
    LogFileFailure("open for copying", host_path, errno);
    return std::nullopt;
  }
  struct stat st {};
  const int flags = fcntl(fd.get(), F_GETFL);
  if (fstat(fd.get(), &st) != 0 || flags < 0 || fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    LogFileFailure("open for copying", host_path, errno);
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  return SourceFile(std::move(fd), host_path);
}

ssize_t SourceFile::Read(char* buffer, std::size_t size) {
  ssize_t got;
  do {
    got = read(fd_.get(), buffer, size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) LogFileFailure("read for copying", path_, errno);
  return got;
}

std::optional<std::timespec> SourceFile::LastWriteTime() const {
  struct stat st {};
  if (fstat(fd_.get(), &st) != 0) return std::nullopt;
  return st.st_mtim;
}

std::optional<mode_t> SourceFile::Permissions() const {
  struct stat st {};
  if (fstat(fd_.get(), &st) != 0) return std::nullopt;
  return st.st_mode & 07777;
}

std::optional<ReplacementFile> ReplacementFile::Create(const std::string& host) {
  struct stat st {};
  if (stat(host.c_str(), &st) == 0) {
    // What stands at the name must be a file we may write, as when overwriting it in place.
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || access(host.c_str(), W_OK) != 0) return std::nullopt;
  }
  const std::size_t slash = host.rfind('/');
  std::string temporary = host.substr(0, slash + 1) + ".vorlix-copy-XXXXXX";
  UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
  if (!fd.ok()) {
    LogFileFailure("create the copy", temporary, errno);
    return std::nullopt;
  }
  return ReplacementFile(std::move(fd), std::move(temporary), host);
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : fd_(std::move(other.fd_)), temporary_(std::move(other.temporary_)), destination_(std::move(other.destination_)) {
  other.temporary_.clear();
}

ReplacementFile::~ReplacementFile() {
  fd_ = UniqueFd();
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool ReplacementFile::Write(const char* data, std::size_t size) {
  if (WriteAll(fd_.get(), std::string_view(data, size))) return true;
  LogFileFailure("write the copy", temporary_, errno);
  return false;
}

bool ReplacementFile::SetTimeAndPermissions(const std::timespec& last_write, mode_t permissions) {
  const std::timespec times[2] = {{0, UTIME_NOW}, last_write};
  if (futimens(fd_.get(), times) == 0 && fchmod(fd_.get(), permissions) == 0) return true;
  LogFileFailure("set the date and permissions of the copy", temporary_, errno);
  return false;
}

bool ReplacementFile::Flush() {
  if (fsync(fd_.get()) == 0 && fd_.Close()) return true;
  LogFileFailure("store the copy", temporary_, errno);
  return false;
}

bool ReplacementFile::Commit() {
  if (fd_.ok() && !Flush()) return false;
  if (rename(temporary_.c_str(), destination_.c_str()) != 0) {
    LogFileFailure("put the copy in place of", destination_, errno);
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace vorlix::platform
