// SPDX-License-Identifier: MIT
// Waiting without polling: the kernel tells of entries made, removed or
// renamed in chosen folders (inotify) and of chosen processes ending
// (pidfd), on descriptors a caller waits on with poll.
#pragma once

#include <sys/types.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/unique_fd.h"

namespace vorlix::platform {

// What happened in a watched folder.
struct FolderChange {
  std::string folder;  // the watched folder, as it was given
  std::string name;    // the entry's name; empty for the folder itself
  bool is_folder = false;
  bool folder_gone = false;  // the watched folder itself went, or the kernel lost events
};

class FolderChanges {
 public:
  FolderChanges();

  // Whether watches can be made at all; false tells the reason in Error().
  bool ok() const { return fd_.ok(); }
  int fd() const { return fd_.get(); }

  // Watches exactly these folders for entries made, removed or renamed in
  // them (and for their own removal): a folder not given any more is let go,
  // one that cannot be watched (gone, not a folder) is passed by.
  void WatchOnly(const std::set<std::string>& folders);

  // The changes the kernel has told since the last call; none when nothing happened.
  std::vector<FolderChange> Take();

 private:
  UniqueFd fd_;
  std::map<int, std::string> folders_;  // by watch descriptor
};

// The processes whose end is waited for: one descriptor each, readable once
// it has ended.
class ProcessEnds {
 public:
  // Waits for exactly these processes: those not given any more are let go.
  // kEnded: one of them has ended already; kUnwatched: one could not be
  // waited for this way (a kernel without pidfd), so the caller must look
  // again by itself now and then.
  enum Outcome { kAll, kEnded, kUnwatched };
  Outcome WatchOnly(const std::set<pid_t>& processes);

  // The descriptors to poll, one per process waited for.
  std::vector<int> Fds() const;

  // The process of a descriptor that poll found readable has ended: it is
  // not waited for again, even while its id is still given (a process
  // nobody has reaped yet still seems alive to a look at its id).
  void Ended(int fd);

 private:
  std::map<pid_t, UniqueFd> fds_;
  std::set<pid_t> ended_;
};

}  // namespace vorlix::platform
