// SPDX-License-Identifier: MIT
// Writing, enabling and removing the user units of a schedule.
#include "cleaning/user_units.h"

#include <sstream>

#include "cleaning/schedule_units.h"
#include "platform/small_files.h"

namespace vorlix {
namespace {

std::string PathOf(const SchedulePlace& place, const std::string& name) { return place.unit_folder + "/" + name; }

// What systemctl said, on one line.
std::string Said(const platform::ProgramOutcome& outcome) {
  std::string text = outcome.started ? outcome.output : outcome.failure;
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text.empty() ? "exit status " + std::to_string(outcome.exit_code) : text;
}

// Why `units` cannot be written for the vorlix-clean of `place`; empty when they can.
std::string InstallProblem(const UserUnits& units, const SchedulePlace& place) {
  if (place.cleaner.empty()) {
    return "vorlix-clean was found neither beside this program nor on PATH, so no schedule can run it.";
  }
  if (std::string reason = UnschedulableReason(place.cleaner); !reason.empty()) return reason;
  return ForeignUnit(place, units);
}

}  // namespace

const UserUnits& TimerUnits() {
  static const UserUnits units{"timer",
                               std::string(kScheduleUnit) + ".timer",
                               "timers.target.wants",
                               {std::string(kScheduleUnit) + ".service", std::string(kScheduleUnit) + ".timer"},
                               IsOwnScheduleUnit,
                               "The schedule is switched off and its units are removed."};
  return units;
}

const UserUnits& WatchUnits() {
  static const UserUnits units{"watcher", kWatchUnit, "default.target.wants", {kWatchUnit}, IsOwnWatchUnit,
                               "The browser-close watcher is stopped and its unit is removed."};
  return units;
}

platform::ProgramOutcome Systemctl(const SchedulePlace& place, std::vector<std::string> args) {
  args.insert(args.begin(), {"systemctl", "--user"});
  return place.run(args);
}

std::string NoManagerText(const platform::ProgramOutcome& outcome, const UserUnits& units) {
  return "No systemd user manager answered (" + Said(outcome) + "), so the " + units.what +
         " is not running. In a session that has one, run:\nsystemctl --user enable --now " + units.unit;
}

std::string ForeignUnit(const SchedulePlace& place, const UserUnits& units) {
  for (const std::string& name : units.files) {
    const std::string path = PathOf(place, name);
    const std::optional<std::string> text = platform::ReadSmallFile(path);
    if (text && !units.is_ours(*text)) {
      return path + " was not written by Vorlix, so it is left as it is. Rename or remove it to let Vorlix set the "
                    "schedule.";
    }
  }
  return {};
}

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


ScheduleResult InstallUnits(const UserUnits& units, const std::vector<std::string>& texts, const SchedulePlace& place,
                            const std::string& fallback, const std::string& done) {
  if (const std::string problem = InstallProblem(units, place); !problem.empty()) return {false, problem};
  for (std::size_t i = 0; i < units.files.size(); ++i) {
    const std::string path = PathOf(place, units.files[i]);
    const std::string reason = platform::WriteSmallFile(path, texts[i]);
    if (!reason.empty()) return {false, "The schedule could not be written to " + path + ": " + reason + "."};
  }
  const platform::ProgramOutcome reload = Systemctl(place, {"daemon-reload"});
  if (!reload.started) {
    // Units that nothing would ever run.
    for (const std::string& name : units.files) platform::RemoveSmallFile(PathOf(place, name));
    return {false, "systemd is not on this system (" + reload.failure + "), so no " + units.what + " was set. " +
                       fallback};
  }
  if (reload.exit_code != 0) return {false, "The schedule is written. " + NoManagerText(reload, units)};
  const platform::ProgramOutcome enable = Systemctl(place, {"enable", "--now", units.unit});
  if (enable.exit_code != 0) {
    return {false, "The schedule is written, but the " + units.what + " could not be enabled: " + Said(enable)};
  }
  return {true, done};
}

std::optional<ScheduleResult> RemoveUnits(const UserUnits& units, const SchedulePlace& place) {
  if (const std::string foreign = ForeignUnit(place, units); !foreign.empty()) return ScheduleResult{false, foreign};
  bool written = false;
  for (const std::string& name : units.files) {
    written = written || platform::ReadSmallFile(PathOf(place, name)).has_value();
  }
  // Without units of ours, a link of that name enables someone else's unit: leave it.
  if (!written) return std::nullopt;
  const platform::ProgramOutcome disable = Systemctl(place, {"disable", "--now", units.unit});
  std::vector<std::string> paths = {PathOf(place, units.wants + "/" + units.unit)};
  for (const std::string& name : units.files) paths.push_back(PathOf(place, name));
  for (const std::string& path : paths) {
    const std::string reason = platform::RemoveSmallFile(path);
    if (!reason.empty()) {
      return ScheduleResult{false, "The schedule could not be switched off: " + path + ": " + reason + "."};
    }
  }
  if (disable.exit_code == 0) Systemctl(place, {"daemon-reload"});
  return ScheduleResult{true, units.switched_off};
}

}  // namespace vorlix
