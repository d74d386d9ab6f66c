// SPDX-License-Identifier: MIT
// The one owner of a file descriptor: it closes the descriptor when it goes,
// moves and is never copied. A negative number owns nothing.
#pragma once

#include <unistd.h>

#include <utility>

namespace vorlix::platform {

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) noexcept : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) close(fd_);
  }

  int get() const noexcept { return fd_; }
  bool ok() const noexcept { return fd_ >= 0; }
  // Hands the descriptor to a new owner (fdopendir): it is no longer closed here.
  int Release() noexcept { return std::exchange(fd_, -1); }
  // Closes the descriptor now; false when close reports an error (data not stored).
  bool Close() noexcept { return close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

}  // namespace vorlix::platform
