// SPDX-License-Identifier: MIT
// The files a run left where they were, counted by the reason each stayed,
// the disk space the files it deleted gave back, and the watcher that counts
// both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cleaning/listed_files.h"
#include "platform/trash.h"

namespace vorlix {

struct LeftReason {
  bool trash = false;   // not moved to the trash (no trash, or an unusable one); otherwise not removed
  std::string reason;   // "permission denied", "its file system has no trash" ...
  std::uint64_t files = 0;
};

class LeftFiles {
 public:
  // A file that refused, with the system's error number.
  void Refused(int error);
  // A file that had no trash to go to; `problem` tells why a trash folder
  // that exists cannot be used (error 0: the file system has no trash).
  void NotTrashed(const platform::TrashProblem& problem);
  // A file deleted for good whose going gave `bytes` of disk space back.
  void Freed(std::uint64_t bytes) { freed_bytes_ += bytes; }
  void Add(const LeftFiles& other);

  // The disk space the run's deletions gave back: what a run regained. A
  // move into the trash gives nothing back.
  std::uint64_t FreedBytes() const { return freed_bytes_; }

  std::uint64_t NotTrashedCount() const;
  // In the order each reason first came up.
  const std::vector<LeftReason>& Reasons() const { return reasons_; }
  // One sentence a reason, joined by "; ": "3 files could not be removed:
  // permission denied; 1 file was not moved to the trash: its file system
  // has no trash". Empty when nothing stayed.
  std::string Text() const;
  // Text() followed by further sentences of a run's own ("; " between), for
  // the status line after a run; empty when there is nothing to say.
  std::string Text(const std::string& more) const;

 private:
  void Count(bool trash, const std::string& reason, std::uint64_t files);

  std::vector<LeftReason> reasons_;
  std::uint64_t freed_bytes_ = 0;
};

// Counts each file that stays by its reason, and the space each file deleted
// gave back, and passes everything on to the next watcher, when there is one.
class LeftCounter : public DeleteWatcher {
 public:
  explicit LeftCounter(DeleteWatcher* next) : next_(next) {}
  void EntryDone(std::size_t index, EntryResult result) override;
  void EntryRefused(std::size_t index, int error) override;
  void EntryFreed(std::size_t index, std::uint64_t bytes) override;
  void TrashUnusable(const platform::TrashProblem& problem) override;
  bool StopBefore(std::size_t index) override { return next_ != nullptr && next_->StopBefore(index); }
  const LeftFiles& Left() const { return left_; }

 private:
  DeleteWatcher* next_;
  platform::TrashProblem problem_;
  LeftFiles left_;
};

}  // namespace vorlix
