// SPDX-License-Identifier: MIT
// Cleaning on a schedule through the systemd user manager.

#include "cleaning/schedule.h"

#include "cleaning/user_units.h"
#include "cleaning/watch_schedule.h"
#include "platform/small_files.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

std::string Describe(const ScheduleChoice& choice) {
  std::string what = choice.kill_all && choice.browsers ? "the Kill All folders and the browser caches"
                     : choice.kill_all                  ? "the Kill All folders"
                                                        : "the browser caches";
  const char* how = choice.method == ScheduleMethod::kTrash       ? "moving files to the trash"
                    : choice.method == ScheduleMethod::kPermanent ? "deleting files for good"
                                                                  : "with each folder's delete method";
  return "Cleans " + what + " " + FrequencyName(choice.frequency) + ", " + how + ".";
}

std::string Known(const std::string& time) { return time.empty() || time == "n/a" ? "not yet" : time; }

std::string TimerState(const SchedulePlace& place) {
  const UserUnits& units = TimerUnits();
  const platform::ProgramOutcome timer =
      Systemctl(place, {"show", units.unit, "-p", "UnitFileState", "-p", "LastTriggerUSec", "-p", "NextElapseUSecRealtime"});
  if (!timer.started) return "systemd is not on this system (" + timer.failure + "), so the timer cannot run.";
  if (timer.exit_code != 0) return NoManagerText(timer, units);
  std::map<std::string, std::string> shown = Properties(timer.output);
  const platform::ProgramOutcome service =
      Systemctl(place, {"show", units.files.front(), "-p", "Result", "-p", "ExecMainStatus", "-p", "ExecMainExitTimestamp"});
  std::map<std::string, std::string> result = Properties(service.exit_code == 0 ? service.output : "");
  std::string text = "Timer: " + (shown["UnitFileState"].empty() ? "unknown" : shown["UnitFileState"]) +
                     ". Last run: " + Known(shown["LastTriggerUSec"]);
  if (!result["ExecMainExitTimestamp"].empty()) {
    const std::string& status = result["ExecMainStatus"];
    text += result["Result"] == "success" ? ", succeeded"
            : status == "3"               ? ", something could not be cleaned (exit status 3)"
                                          : ", failed (" + result["Result"] + ", exit status " + status + ")";
    text += " at " + result["ExecMainExitTimestamp"];
  }
  return text + ". Next run: " + Known(shown["NextElapseUSecRealtime"]) + ".";
}

}  // namespace

ScheduleResult SwitchScheduleOn(const ScheduleChoice& choice, const SchedulePlace& place) {
  if (!choice.kill_all && !choice.browsers) {
    return {false, "Choose what to clean: the Kill All folders, the browser caches or both."};
  }
  const ScheduleUnitTexts units = ScheduleUnits(choice, place.cleaner);
  return InstallUnits(TimerUnits(), {units.service, units.timer}, place,
                      "To clean on this schedule with cron, add this line with crontab -e:\n" +
                          ScheduleCrontabLine(choice, place.cleaner),
                      Describe(choice));
}

ScheduleResult SwitchScheduleOff(const SchedulePlace& place) {
  return RemoveUnits(TimerUnits(), place).value_or(ScheduleResult{true, "No schedule is set."});
}

ScheduleStatus ReadScheduleStatus(const SchedulePlace& place) {
  const std::string service_path = place.unit_folder + "/" + TimerUnits().files.front();
  const std::optional<std::string> service = platform::ReadSmallFile(service_path);
  ScheduleStatus status;
  status.choice = service ? RecordedScheduleChoice(*service) : std::nullopt;
  const WatchStatus watch = ReadWatchStatus(place);
  status.watch = watch.method;
  if (status.choice) {
    status.text = Describe(*status.choice) + "\n" + TimerState(place);
  } else {
    status.text = ForeignUnit(place, TimerUnits());
  }
  if (!watch.text.empty()) status.text += (status.text.empty() ? "" : "\n") + watch.text;
  if (status.text.empty()) status.text = "No schedule is set.";
  return status;
}

}  // namespace vorlix
