// SPDX-License-Identifier: MIT
// Cleaning on a schedule through the systemd user manager.

#include "cleaning/schedule.h"

#include <map>
#include <sstream>

#include "platform/small_files.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

const std::string kTimer = std::string(kScheduleUnit) + ".timer";
const std::string kService = std::string(kScheduleUnit) + ".service";

std::string ServicePath(const SchedulePlace& place) { return place.unit_folder + "/" + kService; }
std::string TimerPath(const SchedulePlace& place) { return place.unit_folder + "/" + kTimer; }
// The link by which an enabled timer starts with the user manager.
std::string EnabledLinkPath(const SchedulePlace& place) {
  return place.unit_folder + "/timers.target.wants/" + kTimer;
}

platform::ProgramOutcome Systemctl(const SchedulePlace& place, std::vector<std::string> args) {
  args.insert(args.begin(), {"systemctl", "--user"});
  return place.run(args);
}

// What systemctl said, on one line.
std::string Said(const platform::ProgramOutcome& outcome) {
  std::string text = outcome.started ? outcome.output : outcome.failure;
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text.empty() ? "exit status " + std::to_string(outcome.exit_code) : text;
}

std::string NoManagerText(const platform::ProgramOutcome& outcome) {
  return "No systemd user manager answered (" + Said(outcome) +
         "), so the timer is not running. In a session that has one, run:\n" + kEnableScheduleCommand;
}

std::string Describe(const ScheduleChoice& choice) {
  std::string what = choice.kill_all && choice.browsers ? "the Kill All folders and the browser caches"
                     : choice.kill_all                  ? "the Kill All folders"
                                                        : "the browser caches";
  const char* how = choice.method == ScheduleMethod::kTrash       ? "moving files to the trash"
                    : choice.method == ScheduleMethod::kPermanent ? "deleting files for good"
                                                                  : "with each folder's delete method";
  return "Cleans " + what + " " + FrequencyName(choice.frequency) + ", " + how + ".";
}

// The message when a unit file of ours cannot be used: empty when `path` is ours or absent.
std::string ForeignUnit(const std::string& path) {
  const std::optional<std::string> text = platform::ReadSmallFile(path);
  if (!text || IsOwnScheduleUnit(*text)) return {};
  return path + " was not written by Vorlix, so it is left as it is. Rename or remove it to let Vorlix set the "
                "schedule.";
}

// systemctl show's "Name=value" lines.
std::map<std::string, std::string> Properties(const std::string& output) {
  std::map<std::string, std::string> properties;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) properties[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return properties;
}

std::string Known(const std::string& time) { return time.empty() || time == "n/a" ? "not yet" : time; }

std::string TimerState(const SchedulePlace& place) {
  const platform::ProgramOutcome timer =
      Systemctl(place, {"show", kTimer, "-p", "UnitFileState", "-p", "LastTriggerUSec", "-p", "NextElapseUSecRealtime"});
  if (!timer.started) return "systemd is not on this system (" + timer.failure + "), so the timer cannot run.";
  if (timer.exit_code != 0) return NoManagerText(timer);
  std::map<std::string, std::string> shown = Properties(timer.output);
  const platform::ProgramOutcome service =
      Systemctl(place, {"show", kService, "-p", "Result", "-p", "ExecMainStatus", "-p", "ExecMainExitTimestamp"});
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

SchedulePlace UserSchedulePlace() {
  return {platform::ConfigHome() + "/systemd/user", platform::FindProgramBesideOrOnPath("vorlix-clean"),
          platform::RunProgram};
}

ScheduleResult SwitchScheduleOn(const ScheduleChoice& choice, const SchedulePlace& place) {
  if (!choice.kill_all && !choice.browsers) {
    return {false, "Choose what to clean: the Kill All folders, the browser caches or both."};
  }
  if (place.cleaner.empty()) {
    return {false, "vorlix-clean was found neither beside this program nor on PATH, so no schedule can run it."};
  }
  if (const std::string reason = UnschedulableReason(place.cleaner); !reason.empty()) return {false, reason};
  for (const std::string& path : {ServicePath(place), TimerPath(place)}) {
    const std::string foreign = ForeignUnit(path);
    if (!foreign.empty()) return {false, foreign};
  }
  const ScheduleUnitTexts units = ScheduleUnits(choice, place.cleaner);
  for (const auto& [path, text] : {std::pair{ServicePath(place), units.service}, {TimerPath(place), units.timer}}) {
    const std::string reason = platform::WriteSmallFile(path, text);
    if (!reason.empty()) return {false, "The schedule could not be written to " + path + ": " + reason + "."};
  }
  const platform::ProgramOutcome reload = Systemctl(place, {"daemon-reload"});
  if (!reload.started) {
    platform::RemoveSmallFile(ServicePath(place));  // units that nothing would ever run
    platform::RemoveSmallFile(TimerPath(place));
    return {false, "systemd is not on this system (" + reload.failure +
                       "), so no timer was set. To clean on this schedule with cron, add this line with "
                       "crontab -e:\n" +
                       ScheduleCrontabLine(choice, place.cleaner)};
  }
  if (reload.exit_code != 0) return {false, "The schedule is written. " + NoManagerText(reload)};
  const platform::ProgramOutcome enable = Systemctl(place, {"enable", "--now", kTimer});
  if (enable.exit_code != 0) {
    return {false, "The schedule is written, but the timer could not be enabled: " + Said(enable)};
  }
  return {true, Describe(choice)};
}

ScheduleResult SwitchScheduleOff(const SchedulePlace& place) {
  bool written = false;
  for (const std::string& path : {ServicePath(place), TimerPath(place)}) {
    const std::string foreign = ForeignUnit(path);
    if (!foreign.empty()) return {false, foreign};
    written = written || platform::ReadSmallFile(path).has_value();
  }
  // Without our units, a link of that name enables someone else's timer: leave it.
  if (!written) return {true, "No schedule is set."};
  const platform::ProgramOutcome disable = Systemctl(place, {"disable", "--now", kTimer});
  for (const std::string& path : {EnabledLinkPath(place), TimerPath(place), ServicePath(place)}) {
    const std::string reason = platform::RemoveSmallFile(path);
    if (!reason.empty()) return {false, "The schedule could not be switched off: " + path + ": " + reason + "."};
  }
  if (disable.exit_code == 0) Systemctl(place, {"daemon-reload"});
  return {true, "The schedule is switched off and its units are removed."};
}

ScheduleStatus ReadScheduleStatus(const SchedulePlace& place) {
  const std::optional<std::string> service = platform::ReadSmallFile(ServicePath(place));
  ScheduleStatus status;
  status.choice = service ? RecordedScheduleChoice(*service) : std::nullopt;
  if (!status.choice) {
    const std::string foreign = ForeignUnit(ServicePath(place));
    status.text = foreign.empty() ? "No schedule is set." : foreign;
    return status;
  }
  status.text = Describe(*status.choice) + "\n" + TimerState(place);
  return status;
}

}  // namespace vorlix
