// SPDX-License-Identifier: MIT
// schedule: sets, shows or removes the systemd user timer that runs
// vorlix-clean and the service that runs its browser-close watcher, through
// the same calls as the window's Schedule dialog.

#include "cleaning/schedule.h"
#include "cleaning/watch_schedule.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/safety_commands.h"

namespace vorlix::clean_tool {
namespace {

ScheduleMethod MethodOf(const Options& options) {
  return options.method == MethodOverride::kTrash       ? ScheduleMethod::kTrash
         : options.method == MethodOverride::kPermanent ? ScheduleMethod::kPermanent
                                                        : ScheduleMethod::kStored;
}

ScheduleChoice ChoiceOf(const Options& options) {
  ScheduleChoice choice;
  choice.frequency = options.schedule == ScheduleAction::kDaily     ? ScheduleFrequency::kDaily
                     : options.schedule == ScheduleAction::kMonthly ? ScheduleFrequency::kMonthly
                                                                    : ScheduleFrequency::kWeekly;
  choice.kill_all = options.kill_all;
  choice.browsers = options.schedule_browsers;
  choice.method = MethodOf(options);
  return choice;
}

}  // namespace

int ScheduleCommand(const Options& options, std::ostream& out) {
  const SchedulePlace place = UserSchedulePlace();
  if (options.schedule == ScheduleAction::kStatus) {
    out << ReadScheduleStatus(place).text << '\n';
    return kExitDone;
  }
  const ScheduleResult result = options.schedule == ScheduleAction::kOff ? SwitchEverythingOff(place)
                                : options.schedule == ScheduleAction::kOnBrowserClose
                                    ? SwitchWatchOn(MethodOf(options), place)
                                    : SwitchScheduleOn(ChoiceOf(options), place);
  if (!result.ok) {
    Complain(result.message);
    return kExitSomeFailed;
  }
  out << result.message << '\n';
  return kExitDone;
}

}  // namespace vorlix::clean_tool
