// SPDX-License-Identifier: MIT
// schedule: sets, shows or removes the systemd user timer that runs
// vorlix-clean and the service that runs its browser-close watcher, through
// the same calls as the window's Schedule dialog.

#include "cleaning/schedule.h"
#include "cleaning/watch_schedule.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/report.h"
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

// {"schema":1,"command":"schedule","ok":...,"message":...: the object's
// common beginning; the caller closes it.
void WriteJsonStart(bool ok, const std::string& message, std::ostream& out) {
  out << "{\"schema\":1,\"command\":\"schedule\",\"ok\":" << (ok ? "true" : "false");
  WriteJsonText("message", message, out);
}

// ,"timer":{...} and ,"watcher":{...}, null for one not set.
void WriteJsonStatus(const ScheduleStatus& status, std::ostream& out) {
  out << ",\"timer\":";
  if (status.choice) {
    out << "{\"frequency\":\"" << FrequencyName(status.choice->frequency)
        << "\",\"kill_all\":" << (status.choice->kill_all ? "true" : "false")
        << ",\"browsers\":" << (status.choice->browsers ? "true" : "false") << ",\"method\":\""
        << MethodWord(status.choice->method) << "\"}";
  } else {
    out << "null";
  }
  out << ",\"watcher\":";
  if (status.watch) {
    out << "{\"method\":\"" << MethodWord(*status.watch) << "\"}";
  } else {
    out << "null";
  }
}

}  // namespace

int ScheduleCommand(const Options& options, std::ostream& out) {
  const SchedulePlace place = UserSchedulePlace();
  if (options.schedule == ScheduleAction::kStatus) {
    const ScheduleStatus status = ReadScheduleStatus(place);
    if (options.json) {
      WriteJsonStart(true, status.text, out);
      WriteJsonStatus(status, out);
      out << "}\n";
    } else {
      out << status.text << '\n';
    }
    return kExitDone;
  }
  const ScheduleResult result = options.schedule == ScheduleAction::kOff ? SwitchEverythingOff(place)
                                : options.schedule == ScheduleAction::kOnBrowserClose
                                    ? SwitchWatchOn(MethodOf(options), place)
                                    : SwitchScheduleOn(ChoiceOf(options), place);
  if (!result.ok) Complain(result.message);
  if (options.json) {
    WriteJsonStart(result.ok, result.message, out);
    out << "}\n";
  } else if (result.ok) {
    out << result.message << '\n';
  }
  return result.ok ? kExitDone : kExitSomeFailed;
}

}  // namespace vorlix::clean_tool
