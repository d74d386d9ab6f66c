// SPDX-License-Identifier: MIT
// Where a schedule's user units are written, which vorlix-clean they run and
// how systemctl is started, and what switching them on or off tells the user:
// shared by the timer and the browser-close watcher.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/program_run.h"

namespace vorlix {

// Starts systemctl (args[0]) and waits for it.
using ProgramRunner = std::function<platform::ProgramOutcome(const std::vector<std::string>& args)>;

struct SchedulePlace {
  std::string unit_folder;  // the user's systemd unit folder (host path)
  std::string cleaner;      // vorlix-clean's absolute path; empty when none was found
  ProgramRunner run;
};

// $XDG_CONFIG_HOME/systemd/user, the vorlix-clean beside the running program
// or on PATH, and the real program launcher.
SchedulePlace UserSchedulePlace();

struct ScheduleResult {
  bool ok = false;      // the timer is set and enabled (on), or the units are gone (off)
  std::string message;  // what happened, or what failed and why, for the user
};

}  // namespace vorlix
