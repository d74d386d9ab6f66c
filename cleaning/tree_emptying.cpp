// SPDX-License-Identifier: MIT
// Emptying a folder tree of its files.

#include "cleaning/tree_emptying.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cleaning/left_files.h"
#include "cleaning/listed_files.h"

namespace vorlix {
namespace {

// A folder of at least this many files is shared when no other work waits.
constexpr std::size_t kShareFrom = 64;

using SharedFolder = std::shared_ptr<const platform::FolderEntries>;

// Sizes each file before it goes, and passes each result on.
class FolderWatcher : public DeleteWatcher {
 public:
  FolderWatcher(const platform::FolderEntries& entries, const platform::NameList& names, CacheFolderResult& result,
                CacheCleanWatcher& next)
      : entries_(entries), names_(names), result_(result), next_(next) {}

  bool StopBefore(std::size_t index) override {
    if (next_.Stop()) return true;
    size_ = entries_.Size(std::string(names_[index])).value_or(0);
    return false;
  }

  void EntryDone(std::size_t index, EntryResult result) override {
    ++result_.tried_files;
    result_.tried_bytes += size_;
    if (result == EntryResult::kRemoved) {
      ++result_.removed_files;
      result_.removed_bytes += size_;
    }
    if (result == EntryResult::kRefused || result == EntryResult::kNoTrash) {
      next_.FileLeft(entries_.HostPathOf(std::string(names_[index])).value_or(std::string(names_[index])));
    }
    next_.FileDone(size_, result);
  }

 private:
  const platform::FolderEntries& entries_;
  const platform::NameList& names_;
  CacheFolderResult& result_;
  CacheCleanWatcher& next_;
  std::uint64_t size_ = 0;
};

// One piece of work: files of an opened folder to delete, or a folder to
// read (the subfolder of that name, or the folder itself). A subfolder is
// opened only when its turn comes, so waiting work holds no more open
// folders than its parents.
struct Task {
  SharedFolder folder;
  std::string subfolder;
  platform::NameList files;
  int depth = 0;
};

// The threads of one emptying, taking tasks from one list until none is
// left and none is being done, or the run ends. It is also the watcher every
// thread reports to: it passes the calls on one at a time.
class TreeRun : public CacheCleanWatcher {
 public:
  TreeRun(bool recycle, CacheFolderResult& result, CacheCleanWatcher* next)
      : recycle_(recycle),
        threads_(recycle ? 1 : std::clamp(std::thread::hardware_concurrency(), 1U, 2U)),
        result_(result),
        next_(next) {}

  CacheFolderOutcome Run(platform::FolderEntries folder) {
    pending_.push_back({std::make_shared<const platform::FolderEntries>(std::move(folder)), {}, {}, 0});
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threads_; ++i) helpers.emplace_back([this] { Work(); });
    Work();
    for (std::thread& helper : helpers) helper.join();
    if (failure_) std::rethrow_exception(failure_);
    if (swapped_) return CacheFolderOutcome::kSwapped;
    return stopped_ ? CacheFolderOutcome::kStopped : CacheFolderOutcome::kDone;
  }

  void FileDone(std::uint64_t bytes, EntryResult result) override {
    const std::scoped_lock lock(mutex_);
    if (next_ != nullptr) next_->FileDone(bytes, result);
  }
  void FileLeft(const std::string& path) override {
    const std::scoped_lock lock(mutex_);
    if (next_ != nullptr) next_->FileLeft(path);
  }
  bool Stop() override {
    const std::scoped_lock lock(mutex_);
    return Ended() || (next_ != nullptr && next_->Stop());
  }

 private:
  // A swap, a stop or a failure ends the run for both threads. Called with mutex_ held.
  bool Ended() const { return swapped_ || stopped_ || failure_ != nullptr; }

  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return Ended() || !pending_.empty() || busy_ == 0; });
      if (Ended() || pending_.empty()) break;
      Task task = std::move(pending_.back());
      pending_.pop_back();
      ++busy_;
      lock.unlock();
      std::exception_ptr failure;
      try {
        Do(task);
      } catch (...) {
        failure = std::current_exception();
      }
      lock.lock();
      --busy_;
      if (failure && !failure_) failure_ = failure;
      changed_.notify_all();
    }
  }

  void Do(const Task& task) {
    if (!task.files.empty()) {
      Delete(*task.folder, task.files);
      return;
    }
    if (task.subfolder.empty()) {
      Read(task.folder, task.depth);
      return;
    }
    platform::ChildFolderKind kind = platform::ChildFolderKind::kNotOpened;
    std::optional<platform::FolderEntries> sub = task.folder->OpenSubfolder(task.subfolder, &kind);
    // Gone, closed to us, or a link put in its place: never followed. A mount
    // is never entered, and named.
    if (sub) {
      Read(std::make_shared<const platform::FolderEntries>(std::move(*sub)), task.depth);
    } else if (kind == platform::ChildFolderKind::kOtherMount) {
      const std::scoped_lock lock(mutex_);
      result_.other_mounts.push_back(task.folder->HostPathOf(task.subfolder).value_or(task.subfolder));
    }
  }

  // Reads a folder, hands out its subfolders, and deletes its files, sharing
  // them when there is no other work for the other thread.
  void Read(const SharedFolder& folder, int depth) {
    platform::FolderEntries::Reading reading(*folder, platform::FolderEntries::ReadKind::kEveryFile);
    if (!reading.ok()) return;  // closed to us: nothing can be done here
    platform::FolderEntries::Contents contents;
    while (!reading.Next(contents, SIZE_MAX)) {
    }
    platform::NameList mine;
    {
      const std::scoped_lock lock(mutex_);
      if (depth < platform::kMaxTreeDepth) {
        for (const std::string_view name : contents.folders) {
          pending_.push_back({folder, std::string(name), {}, depth + 1});
        }
      }
      if (threads_ > 1 && pending_.empty() && contents.files.size() >= kShareFrom) {
        Task share{folder, {}, {}, depth};
        const std::size_t half = contents.files.size() / 2;
        for (std::size_t i = 0; i < contents.files.size(); ++i) {
          (i < half ? mine : share.files).push_back(contents.files[i]);
        }
        pending_.push_back(std::move(share));
      }
      changed_.notify_all();
    }
    Delete(*folder, mine.empty() ? contents.files : mine);
  }

  void Delete(const platform::FolderEntries& folder, const platform::NameList& files) {
    if (files.empty()) return;
    CacheFolderResult share;
    FolderWatcher folder_watcher(folder, files, share, *this);
    LeftCounter counter(&folder_watcher);
    const DeleteOutcome outcome = DeleteEntries(folder, files, recycle_, &counter, true);
    const std::scoped_lock lock(mutex_);
    result_.tried_files += share.tried_files;
    result_.tried_bytes += share.tried_bytes;
    result_.removed_files += share.removed_files;
    result_.removed_bytes += share.removed_bytes;
    result_.left.Add(counter.Left());
    // A swap is told even when the other thread was stopped by it.
    swapped_ = swapped_ || outcome == DeleteOutcome::kFolderSwapped;
    stopped_ = stopped_ || outcome == DeleteOutcome::kStopped;
  }

  const bool recycle_;
  const unsigned threads_;
  CacheFolderResult& result_;
  CacheCleanWatcher* const next_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Task> pending_;
  int busy_ = 0;
  bool swapped_ = false;
  bool stopped_ = false;
  std::exception_ptr failure_;
};

}  // namespace

CacheFolderOutcome EmptyTree(platform::FolderEntries folder, bool recycle, CacheFolderResult& result,
                             CacheCleanWatcher* watcher) {
  return TreeRun(recycle, result, watcher).Run(std::move(folder));
}

}  // namespace vorlix
