// SPDX-License-Identifier: MIT
// The steps the timer and the watcher share: writing a set of user unit
// files of ours and enabling one of them through systemctl, and disabling
// and removing them again, never touching a unit file someone else wrote.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/schedule_place.h"

namespace vorlix {

struct UserUnits {
  std::string what;                 // "timer" or "watcher", as the messages name it
  std::string unit;                 // the unit enabled: "vorlix-clean.timer"
  std::string wants;                // the folder of its enabling link: "timers.target.wants"
  std::vector<std::string> files;   // every unit file, by name
  bool (*is_ours)(const std::string& unit_text);
  std::string switched_off;         // the message once they are removed
};

// The timer's units (service first, then the timer it enables) and the watcher's service.
const UserUnits& TimerUnits();
const UserUnits& WatchUnits();

platform::ProgramOutcome Systemctl(const SchedulePlace& place, std::vector<std::string> args);

// The message when no user manager answered `outcome`: it names the command
// that starts the units.
std::string NoManagerText(const platform::ProgramOutcome& outcome, const UserUnits& units);

// The message when a file of `units` was written by someone else; empty when
// each is ours or absent.
std::string ForeignUnit(const SchedulePlace& place, const UserUnits& units);

// systemctl show's "Name=value" lines.
std::map<std::string, std::string> Properties(const std::string& output);

// Writes `texts` (one for each of units.files, in order), reloads the manager
// and enables units.unit; `done` is the
// message on success. Nothing is written when no vorlix-clean was found, its
// path cannot be written into a unit, or a file of `units` is someone else's;
// the message says which. Where systemd is missing the files are removed
// again and the message ends with `fallback`.
ScheduleResult InstallUnits(const UserUnits& units, const std::vector<std::string>& texts, const SchedulePlace& place,
                            const std::string& fallback, const std::string& done);

// Disables units.unit and removes its files and enabling link; nothing when
// no file of ours was there (nothing is touched then).
std::optional<ScheduleResult> RemoveUnits(const UserUnits& units, const SchedulePlace& place);

}  // namespace vorlix
