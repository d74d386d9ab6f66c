// SPDX-License-Identifier: MIT
// The texts of a cleaning schedule: the systemd user service and timer that
// run vorlix-clean, the crontab line that does the same where systemd is
// missing, the service that runs its browser-close watcher, and the choice
// read back from a service written here.
#pragma once

#include <optional>
#include <string>

namespace vorlix {

enum class ScheduleFrequency { kDaily, kWeekly, kMonthly };
// kStored: each folder's own stored method; the others override it for the run.
enum class ScheduleMethod { kStored, kTrash, kPermanent };

struct ScheduleChoice {
  ScheduleFrequency frequency = ScheduleFrequency::kWeekly;
  bool kill_all = true;   // the folders ticked in the Kill All dialog
  bool browsers = false;  // the browser caches found for the user
  ScheduleMethod method = ScheduleMethod::kStored;

  bool operator==(const ScheduleChoice&) const = default;
};

// The units' name: vorlix-clean.timer starts vorlix-clean.service.
inline constexpr char kScheduleUnit[] = "vorlix-clean";

struct ScheduleUnitTexts {
  std::string service;
  std::string timer;
};

// The units for a choice with at least one of kill_all and browsers, running
// the vorlix-clean at the absolute path `cleaner`. With both, the browser
// caches are cleaned even when the Kill All run skipped something; the
// service fails with the last failing run's exit status.
ScheduleUnitTexts ScheduleUnits(const ScheduleChoice& choice, const std::string& cleaner);

// The crontab line that runs the same at the same times as the timer.
std::string ScheduleCrontabLine(const ScheduleChoice& choice, const std::string& cleaner);

// Why the vorlix-clean at `cleaner` cannot be scheduled: its path holds a
// control character (a line break ends a unit's line and a crontab line), so
// no unit or crontab line may be written for it; the message names the path.
// Empty when it can be: ScheduleUnits and ScheduleCrontabLine then write any
// other byte safely.
std::string UnschedulableReason(const std::string& cleaner);

// True for a unit file's text that ScheduleUnits wrote.
bool IsOwnScheduleUnit(const std::string& unit_text);

// The choice a service written by ScheduleUnits runs; nothing for any other text.
std::optional<ScheduleChoice> RecordedScheduleChoice(const std::string& service_text);

// The watcher's service: vorlix-clean watch, restarted when it fails, started with the session.
inline constexpr char kWatchUnit[] = "vorlix-clean-watch.service";

// The watcher's service running the vorlix-clean at the absolute path
// `cleaner` with `method` (kStored: into the trash, as the browsers command
// does when no method is named). The same rules as ScheduleUnits hold for
// `cleaner`.
std::string WatchUnit(ScheduleMethod method, const std::string& cleaner);

// The command line that runs the same watcher, for a session without systemd.
std::string WatchCommandLine(ScheduleMethod method, const std::string& cleaner);

// True for a unit file's text that WatchUnit wrote.
bool IsOwnWatchUnit(const std::string& unit_text);

// The method (kTrash or kPermanent) a service written by WatchUnit cleans
// with; nothing for any other text.
std::optional<ScheduleMethod> RecordedWatchMethod(const std::string& service_text);

// "daily", "weekly" or "monthly": the timer's calendar and the word shown.
const char* FrequencyName(ScheduleFrequency frequency);

// "stored", "trash" or "permanent": the method as the units record it.
const char* MethodWord(ScheduleMethod method);

}  // namespace vorlix
