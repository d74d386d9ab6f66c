// SPDX-License-Identifier: MIT
// The files a run left where they were, by reason.

#include "cleaning/left_files.h"

#include "cleaning/regained_report.h"
#include "platform/status.h"

namespace vorlix {

void LeftFiles::Count(bool trash, const std::string& reason, std::uint64_t files) {
  for (LeftReason& known : reasons_) {
    if (known.trash == trash && known.reason == reason) {
      known.files += files;
      return;
    }
  }
  reasons_.push_back({trash, reason, files});
}

void LeftFiles::Refused(int error) { Count(false, platform::ReasonText(error), 1); }

void LeftFiles::NotTrashed(const platform::TrashProblem& problem) {
  Count(true, problem.error == 0 ? std::string(kNoTrashReason) : UnusableTrashReason(problem.folder, problem.error),
        1);
}

void LeftFiles::Add(const LeftFiles& other) {
  for (const LeftReason& reason : other.reasons_) Count(reason.trash, reason.reason, reason.files);
  freed_bytes_ += other.freed_bytes_;
}

std::uint64_t LeftFiles::NotTrashedCount() const {
  std::uint64_t files = 0;
  for (const LeftReason& reason : reasons_) files += reason.trash ? reason.files : 0;
  return files;
}

std::string LeftFiles::Text(const std::string& more) const {
  const std::string own = Text();
  return own.empty() || more.empty() ? own + more : own + "; " + more;
}

std::string LeftFiles::Text() const {
  std::string text;
  for (const LeftReason& reason : reasons_) {
    if (!text.empty()) text += "; ";
    text += LeftText(reason.files, reason.trash, reason.reason);
  }
  return text;
}

void LeftCounter::EntryDone(std::size_t index, EntryResult result) {
  if (result == EntryResult::kNoTrash) left_.NotTrashed(problem_);
  if (next_ != nullptr) next_->EntryDone(index, result);
}

void LeftCounter::EntryRefused(std::size_t index, int error) {
  left_.Refused(error);
  if (next_ != nullptr) next_->EntryRefused(index, error);
}

void LeftCounter::EntryFreed(std::size_t index, std::uint64_t bytes) {
  left_.Freed(bytes);
  if (next_ != nullptr) next_->EntryFreed(index, bytes);
}

void LeftCounter::TrashUnusable(const platform::TrashProblem& problem) {
  problem_ = problem;
  if (next_ != nullptr) next_->TrashUnusable(problem);
}

}  // namespace vorlix
