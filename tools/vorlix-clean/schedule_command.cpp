// SPDX-License-Identifier: MIT
// schedule: sets, shows or removes the systemd user timer that runs
// vorlix-clean, through the same calls as the window's Schedule dialog.

#include "cleaning/schedule.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/safety_commands.h"

namespace vorlix::clean_tool {
namespace {

ScheduleChoice ChoiceOf(const Options& options) {
  ScheduleChoice choice;
  choice.frequency = options.schedule == ScheduleAction::kDaily     ? ScheduleFrequency::kDaily
                     : options.schedule == ScheduleAction::kMonthly ? ScheduleFrequency::kMonthly
                                                                    : ScheduleFrequency::kWeekly;
  choice.kill_all = options.kill_all;
  choice.browsers = options.schedule_browsers;
  choice.method = options.method == MethodOverride::kTrash       ? ScheduleMethod::kTrash
                  : options.method == MethodOverride::kPermanent ? ScheduleMethod::kPermanent
                                                                 : ScheduleMethod::kStored;
  return choice;
}

}  // namespace

int ScheduleCommand(const Options& options, std::ostream& out) {
  const SchedulePlace place = UserSchedulePlace();
  if (options.schedule == ScheduleAction::kStatus) {
    out << ReadScheduleStatus(place).text << '\n';
    return kExitDone;
  }
  const ScheduleResult result = options.schedule == ScheduleAction::kOff ? SwitchScheduleOff(place)
                                                                         : SwitchScheduleOn(ChoiceOf(options), place);
  if (!result.ok) {
    Complain(result.message);
    return kExitSomeFailed;
  }
  out << result.message << '\n';
  return kExitDone;
}

}  // namespace vorlix::clean_tool
