// SPDX-License-Identifier: MIT
// Cleaning on a schedule: writes the systemd user units of a choice and
// enables their timer, reads back what is set and how its last run went, and
// switches it off again. A front end (the Schedule dialog, vorlix-clean) calls
// these and shows the message.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/schedule_place.h"
#include "cleaning/schedule_units.h"

namespace vorlix {

// Writes the units of the choice (replacing a schedule of ours, never a unit
// file someone else wrote) and enables the timer. Without a user manager the
// units stay written and the message names the command that enables them;
// without systemd nothing stays written and the message gives the crontab line.
ScheduleResult SwitchScheduleOn(const ScheduleChoice& choice, const SchedulePlace& place);

// Disables the timer and removes the units; unit files of the same names that
// this program did not write are left as they are.
ScheduleResult SwitchScheduleOff(const SchedulePlace& place);

struct ScheduleStatus {
  std::optional<ScheduleChoice> choice;  // the schedule written; nothing when there is none of ours
  std::optional<ScheduleMethod> watch;   // the browser-close watcher's method; nothing when none of ours
  std::string text;  // what is set, whether the timer and the watcher are on, their last runs and results
};

// The timer and the browser-close watcher (see watch_schedule.h), each where it is set.
ScheduleStatus ReadScheduleStatus(const SchedulePlace& place);

}  // namespace vorlix
