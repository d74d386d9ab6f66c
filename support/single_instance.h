// SPDX-License-Identifier: MIT
// The single-instance guard. The start-up check (TPreviousInstance::Check)
// takes a per-user lock named after the program file's name, before any window
// exists. When another copy already holds it, TJustOne32 asks that copy to
// bring its window to the front and ends this process with exit code 0;
// otherwise this copy keeps the lock until it ends, and listens for such
// requests from later copies.
#pragma once

#include <string>
#include <vector>

#include "platform/window_system.h"

namespace vorlix {

struct InstanceNames {
  // The part of the program path after its last "\", "/" or ":", cut to 255 characters.
  std::string file_name;
  // The file name without its last four characters when it contains the
  // upper-case ".EXE" anywhere; a name without any extension counts as ending
  // in ".EXE" and gives its ASCII letters in upper case ("vorlix": "VORLIX");
  // otherwise empty.
  std::string window_title;
};
InstanceNames NamesFromProgramPath(const std::string& program_path);

class TPreviousInstance {
 public:
  // The start-up check: runs once per process; later calls return the same
  // object. A lock that cannot be made is not reported: this copy then runs as
  // the first.
  static TPreviousInstance& Check(const std::string& program_path);
  // The object of the start-up check; nullptr before it ran.
  static TPreviousInstance* Current();

  // The exit step: gives up the lock (the kernel also does when the process ends).
  ~TPreviousInstance();
  TPreviousInstance(const TPreviousInstance&) = delete;
  TPreviousInstance& operator=(const TPreviousInstance&) = delete;

  const std::string& WindowTitle() const { return names_.window_title; }
  bool PreviousInstance() const { return previous_; }

  // The first copy's listening socket for raise requests (it becomes readable
  // when one waits); -1 for a second copy or when it could not be made.
  int RaiseRequestSocket() const { return listener_; }
  // Accepts the waiting raise requests and reads what has arrived of each,
  // without ever waiting for a sender. Returns the window titles of the
  // requests that are now whole.
  std::vector<std::string> TakeRaiseRequests();
  // The connections of requests still arriving; each becomes readable when
  // more comes. At most a few are kept: the oldest is dropped for a new one.
  std::vector<int> PendingRaiseRequests() const;
  // Asks the copy that holds the lock to raise its window with this title.
  void SendRaiseRequest() const;

 private:
  explicit TPreviousInstance(const std::string& program_path);

  InstanceNames names_;
  std::string socket_path_;
  int lock_ = -1;
  int listener_ = -1;
  bool previous_ = false;
  struct PendingRequest {
    int connection;
    std::string text;
  };
  std::vector<PendingRequest> pending_;
};

// Carried by the main window. When the start-up check found another copy, and
// the window title is not empty, it renames a window of this process that
// carries the title to "something else", so that only the other copy's window
// answers to it, and asks that copy to raise its window. Then it ends the
// process with exit code 0. Without another copy it does nothing.
class TJustOne32 {
 public:
  explicit TJustOne32(const TPreviousInstance* instance = TPreviousInstance::Current());
};

// What the first copy does for a raise request: its first top-level window with
// the title is restored when minimised, otherwise brought to the top.
void RaiseWindowTitled(platform::WindowSystem& windows, const std::string& title);

}  // namespace vorlix
