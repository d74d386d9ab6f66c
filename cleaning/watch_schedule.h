// SPDX-License-Identifier: MIT
// The browser-close watcher as a systemd user service beside the timer:
// writes and starts it, reads back how it stands, and stops and removes it.
#pragma once

#include <optional>
#include <string>

#include "cleaning/schedule.h"

namespace vorlix {

// Writes the watcher's service (replacing one of ours, never a unit someone
// else wrote) and enables and starts it. The timer is left as it is.
ScheduleResult SwitchWatchOn(ScheduleMethod method, const SchedulePlace& place);

// Stops and removes the watcher's service; the timer is left as it is.
ScheduleResult SwitchWatchOff(const SchedulePlace& place);

// Switches off the timer and the watcher, each that is set.
ScheduleResult SwitchEverythingOff(const SchedulePlace& place);

struct WatchStatus {
  std::optional<ScheduleMethod> method;  // the watcher written; nothing when there is none of ours
  bool on = false;                       // ours, and enabled or running
  std::string text;  // what it does, whether it runs and its last cleaning; empty when no unit is there
};

WatchStatus ReadWatchStatus(const SchedulePlace& place);

}  // namespace vorlix
