// SPDX-License-Identifier: MIT
// vorlix-clean's command line: what to do, read from the arguments.
#pragma once

#include <bitset>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlix::clean_tool {

// Arguments that do not make a command: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// kCompletion: --print-completion, which prints the bash completion script.
enum class Command {
  kHelp, kVersion, kCompletion, kList, kRun, kFolder, kBrowsers, kHistory, kRestore, kPurge, kSchedule, kWatch
};
enum class MethodOverride { kNone, kTrash, kPermanent };
// schedule: what to do with the timer, or the browser-close watcher beside it.
enum class ScheduleAction { kNone, kDaily, kWeekly, kMonthly, kOff, kStatus, kOnBrowserClose };

struct Options {
  Command command = Command::kHelp;
  std::bitset<14> slots;  // named slots, in slot order (IE 1 to IE 8, U1 to U6)
  bool kill_all = false;
  bool typed_urls = false;
  bool history = false;
  std::string folder;  // the folder command's path
  std::vector<std::string> browsers;  // browsers' and watch's names; none for every browser
  MethodOverride method = MethodOverride::kNone;
  bool dry_run = false;
  bool interactive = false;
  bool keep_going = false;  // a folder not entered is reported and the run goes on
  bool quiet = false;
  bool json = false;
  bool count = true;  // list: count the files a run would remove
  std::string run_id;  // restore --run: the run to put back; empty for the last
  std::optional<int> older_than;  // purge --older-than: days
  ScheduleAction schedule = ScheduleAction::kNone;
  bool schedule_browsers = false;  // schedule: the browser caches too
  int delay = 5;  // watch: seconds a browser stays closed before its caches go
};

// The slot index of a slot name ("1".."8", "u1".."u6", any letter case).
std::optional<std::size_t> SlotIndexOf(const std::string& name);

// Reads the arguments after the program name; throws UsageError.
Options ParseOptions(const std::vector<std::string>& args);

}  // namespace vorlix::clean_tool
