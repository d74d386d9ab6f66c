// SPDX-License-Identifier: MIT

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>


namespace vorlix::platform {

std::optional<SourceFile> SourceFile::Open(const std::string& host_path) {
  // Without O_NONBLOCK, opening a pipe would wait until someone writes to it.
  const int fd = open(host_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const int flags = fcntl(fd, F_GETFL);
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(fd);
    return std::nullopt;
  }
  return SourceFile(fd);
}

SourceFile::SourceFile(SourceFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

SourceFile::~SourceFile() {
  if (fd_ >= 0) close(fd_);
}

ssize_t SourceFile::Read(char* buffer, std::size_t size) {
  ssize_t got;
  do {
    got = read(fd_, buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

std::optional<std::timespec> SourceFile::LastWriteTime() const {
  struct stat st {};
  if (fstat(fd_, &st) != 0) return std::nullopt;
  return st.st_mtim;
}

std::optional<mode_t> SourceFile::Permissions() const {
  struct stat st {};
  if (fstat(fd_, &st) != 0) return std::nullopt;
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
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return ReplacementFile(fd, std::move(temporary), host);
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : fd_(other.fd_), temporary_(std::move(other.temporary_)), destination_(std::move(other.destination_)) {
  other.fd_ = -1;
  other.temporary_.clear();
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool ReplacementFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd_, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool ReplacementFile::SetTimeAndPermissions(const std::timespec& last_write, mode_t permissions) {
  const std::timespec times[2] = {{0, UTIME_NOW}, last_write};
  return futimens(fd_, times) == 0 && fchmod(fd_, permissions) == 0;
}

bool ReplacementFile::Flush() {
  if (fsync(fd_) != 0) return false;
  const int fd = fd_;
  fd_ = -1;
  return close(fd) == 0;
}

bool ReplacementFile::Commit() {
  if (fd_ >= 0 && !Flush()) return false;
  if (rename(temporary_.c_str(), destination_.c_str()) != 0) return false;
  temporary_.clear();
  return true;
}

}  // namespace vorlix::platform
