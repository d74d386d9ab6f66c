// SPDX-License-Identifier: MIT
// The browser-close watcher as a systemd user service.
#include "cleaning/watch_schedule.h"

#include <utility>

#include "cleaning/user_units.h"
#include "cleaning/watch_last.h"
#include "platform/small_files.h"

namespace vorlix {
namespace {

std::string Describe(ScheduleMethod method) {
  return std::string("Cleans the browser caches when a browser closes, ") +
         (method == ScheduleMethod::kPermanent ? "deleting files for good." : "moving files to the trash.");
}

// Whether the service is enabled and runs, and the watcher's last cleaning.
std::string ServiceState(const SchedulePlace& place, bool& on) {
  const platform::ProgramOutcome shown =
      Systemctl(place, {"show", kWatchUnit, "-p", "UnitFileState", "-p", "ActiveState", "-p", "SubState"});
  if (!shown.started) return "systemd is not on this system (" + shown.failure + "), so the watcher cannot run.";
  if (shown.exit_code != 0) return NoManagerText(shown, WatchUnits());
  std::map<std::string, std::string> state = Properties(shown.output);
  on = state["UnitFileState"] == "enabled" || state["ActiveState"] == "active";
  const std::optional<std::string> last = ReadWatchLast();
  return "Watcher: " + (state["UnitFileState"].empty() ? "unknown" : state["UnitFileState"]) + ", " +
         (state["ActiveState"].empty() ? "unknown" : state["ActiveState"]) +
         (state["SubState"].empty() ? "" : " (" + state["SubState"] + ")") +
         ". Last cleaning: " + last.value_or("not yet") + ".";
}

}  // namespace

ScheduleResult SwitchWatchOn(ScheduleMethod method, const SchedulePlace& place) {
  return InstallUnits(WatchUnits(), {WatchUnit(method, place.cleaner)}, place,
                      "To clean when a browser closes, start this command with your session:\n" +
                          WatchCommandLine(method, place.cleaner),
                      Describe(method));
}

ScheduleResult SwitchWatchOff(const SchedulePlace& place) {
  return RemoveUnits(WatchUnits(), place).value_or(ScheduleResult{true, "The browser-close watcher is not set."});
}

ScheduleResult SwitchEverythingOff(const SchedulePlace& place) {
  const std::optional<ScheduleResult> removed[] = {RemoveUnits(TimerUnits(), place), RemoveUnits(WatchUnits(), place)};
  ScheduleResult all{true, ""};
  for (const std::optional<ScheduleResult>& each : removed) {
    if (!each) continue;
    all.ok = all.ok && each->ok;
    all.message += (all.message.empty() ? "" : "\n") + each->message;
  }
  if (all.message.empty()) all.message = "No schedule is set.";
  return all;
}

WatchStatus ReadWatchStatus(const SchedulePlace& place) {
  WatchStatus status;
  const std::optional<std::string> service = platform::ReadSmallFile(place.unit_folder + "/" + kWatchUnit);
  status.method = service ? RecordedWatchMethod(*service) : std::nullopt;
  if (!status.method) {
    status.text = ForeignUnit(place, WatchUnits());
    return status;
  }
  status.text = Describe(*status.method) + "\n" + ServiceState(place, status.on);
  return status;
}

}  // namespace vorlix
