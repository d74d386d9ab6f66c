// SPDX-License-Identifier: MIT
// Waiting without polling: inotify for folders, pidfd for processes.
#include "platform/change_watch.h"

#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vorlix::platform {
namespace {

// Entries made, removed or renamed, and the folder's own end; writes inside
// files are left out, as they say nothing about which entries exist.
constexpr std::uint32_t kFolderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

FolderChanges::FolderChanges() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

void FolderChanges::WatchOnly(const std::set<std::string>& folders) {
  for (auto it = folders_.begin(); it != folders_.end();) {
    if (folders.count(it->second) == 0) {
      inotify_rm_watch(fd_.get(), it->first);
      it = folders_.erase(it);
    } else {
      ++it;
    }
  }
  for (const std::string& folder : folders) {
    const int wd = inotify_add_watch(fd_.get(), folder.c_str(), kFolderEvents);
    if (wd >= 0) folders_[wd] = folder;
  }
}

std::vector<FolderChange> FolderChanges::Take() {
  std::vector<FolderChange> changes;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t length = read(fd_.get(), buffer, sizeof buffer);
    if (length <= 0) break;  // EAGAIN: all read
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const char* name = buffer + at + sizeof event;
      at += static_cast<ssize_t>(sizeof event + event.len);
      FolderChange change;
      if (const auto folder = folders_.find(event.wd); folder != folders_.end()) change.folder = folder->second;
      if (event.len > 0) change.name = std::string(name, strnlen(name, event.len));
      change.is_folder = (event.mask & IN_ISDIR) != 0;
      change.folder_gone = (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW)) != 0;
      if ((event.mask & IN_IGNORED) != 0) folders_.erase(event.wd);
      changes.push_back(std::move(change));
    }
  }
  return changes;
}

ProcessEnds::Outcome ProcessEnds::WatchOnly(const std::set<pid_t>& processes) {
  std::erase_if(fds_, [&](const auto& entry) { return processes.count(entry.first) == 0; });
  std::erase_if(ended_, [&](pid_t pid) { return processes.count(pid) == 0; });
  Outcome outcome = kAll;
  for (const pid_t pid : processes) {
    if (fds_.count(pid) != 0 || ended_.count(pid) != 0) continue;
    UniqueFd fd(static_cast<int>(syscall(SYS_pidfd_open, pid, 0)));
    if (fd.ok()) {
      fds_.emplace(pid, std::move(fd));
    } else if (errno == ESRCH) {
      outcome = kEnded;
    } else if (outcome == kAll) {
      outcome = kUnwatched;
    }
  }
  return outcome;
}

std::vector<int> ProcessEnds::Fds() const {
  std::vector<int> fds;
  for (const auto& [pid, fd] : fds_) fds.push_back(fd.get());
  return fds;
}

void ProcessEnds::Ended(int fd) {
  const auto entry =
      std::find_if(fds_.begin(), fds_.end(), [&](const auto& each) { return each.second.get() == fd; });
  if (entry == fds_.end()) return;
  ended_.insert(entry->first);
  fds_.erase(entry);
}

}  // namespace vorlix::platform
