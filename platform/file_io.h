// SPDX-License-Identifier: MIT
// Reading one file and writing another so that the destination is only ever
// replaced by a complete copy: the new content goes into a temporary file beside
// the destination and takes its name in one rename at the end.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>

#include "platform/unique_fd.h"

namespace vorlix::platform {

class SourceFile {
 public:
  // Opens an existing regular file (a host path; links followed) for
  // reading; nothing when it cannot, or when the path leads to a folder, a
  // pipe, a socket or a device. Opening never waits on a pipe's writer.
  static std::optional<SourceFile> Open(const std::string& host_path);


  // Bytes read (0 at the end), or -1 on a failed read.
  ssize_t Read(char* buffer, std::size_t size);
  // Last-write time and permission bits; nothing when they cannot be read.
  std::optional<std::timespec> LastWriteTime() const;
  std::optional<mode_t> Permissions() const;

 private:
  SourceFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
  UniqueFd fd_;
  std::string path_;  // for the failure log
};

class ReplacementFile {
 public:
  // Starts a new file for a destination host path. Nothing when the
  // destination cannot be written: its folder is missing or closed to us, or
  // anything but a writable regular file stands at that name.
  static std::optional<ReplacementFile> Create(const std::string& host_path);

  ReplacementFile(ReplacementFile&& other) noexcept;
  ReplacementFile& operator=(ReplacementFile&&) = delete;
  // Removes the temporary file unless Commit succeeded.
  ~ReplacementFile();

  // Writes all bytes; false when any could not be written.
  bool Write(const char* data, std::size_t size);
  // Sets the last-write time and permission bits of the new file.
  bool SetTimeAndPermissions(const std::timespec& last_write, mode_t permissions);
  // Flushes the new file to disk; false when the data could not be stored.
  bool Flush();
  // Gives the flushed file the destination's name.
  bool Commit();

 private:
  ReplacementFile(UniqueFd fd, std::string temporary, std::string destination)
      : fd_(std::move(fd)), temporary_(std::move(temporary)), destination_(std::move(destination)) {}
  UniqueFd fd_;
  std::string temporary_;
  std::string destination_;
};

}  // namespace vorlix::platform
