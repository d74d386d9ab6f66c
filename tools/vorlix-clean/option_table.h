// SPDX-License-Identifier: MIT
// vorlix-clean's options, each once: its names, the commands that take it and
// its help. The parser, the usage text and the bash completion are all made
// from this table, so an option is added in one place.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/vorlix-clean/options.h"

namespace vorlix::clean_tool {

enum class OptionId {
  kKillAll, kTypedUrls, kHistory, kTrash, kPermanent, kDryRun, kInteractive, kKeepGoing,
  kNoCount, kQuiet, kJson, kHelp, kVersion, kBrowserList,
  kLast, kRun, kOlderThan, kDaily, kWeekly, kMonthly, kOff, kStatus, kScheduleBrowsers, kDelay, kOnBrowserClose,
};

// The commands that take an option, as bits.
inline constexpr unsigned kForList = 1;
inline constexpr unsigned kForRun = 2;
inline constexpr unsigned kForFolder = 4;
inline constexpr unsigned kAsCommand = 8;  // given alone, in the command's place
inline constexpr unsigned kForHistory = 16;
inline constexpr unsigned kForRestore = 32;
inline constexpr unsigned kForPurge = 64;
inline constexpr unsigned kForSchedule = 128;
inline constexpr unsigned kForBrowsers = 256;
inline constexpr unsigned kForWatch = 512;
inline constexpr unsigned kForRecords = kForHistory | kForRestore | kForPurge;
inline constexpr unsigned kForCleaning = kForRun | kForFolder | kForBrowsers;
inline constexpr unsigned kForAll = kForList | kForRun | kForFolder | kForBrowsers | kForWatch;

struct OptionSpec {
  OptionId id;
  std::string_view short_name;  // "-n", or empty
  std::string_view long_name;   // "--dry-run"
  std::string_view alias;       // another long name ("--preview"), or empty
  unsigned commands;
  int group;               // options of one nonzero group exclude each other: [--trash|--permanent]
  std::string_view help;   // lines joined by '\n'
  std::string_view argument = {};  // the value the option takes ("ID"), or empty
  bool needed = false;  // the command needs it (or, in a group, one of the group)
};

inline constexpr std::array<OptionSpec, 25> kOptionTable = {{
    {OptionId::kKillAll, "", "--kill-all", "", kForRun | kForSchedule, 0,
     "run: also every slot ticked in the Kill All dialog (user\n"
     "slots not set up are skipped), and the typed-URL list and\n"
     "history folder when they are ticked there.\n"
     "schedule: clean what Kill All cleans."},
    {OptionId::kTypedUrls, "", "--typed-urls", "", kForRun, 0, "run: delete the browser's typed-URL list."},
    {OptionId::kHistory, "", "--history", "", kForRun, 0, "run: clean the history folder."},
    {OptionId::kTrash, "", "--trash", "", kForCleaning | kForSchedule | kForWatch, 1,
     "Move the files into the trash, whatever the slot's method."},
    {OptionId::kPermanent, "", "--permanent", "", kForCleaning | kForSchedule | kForWatch, 1,
     "Delete the files for good, whatever the slot's method."},
    {OptionId::kDryRun, "-n", "--dry-run", "--preview", kForCleaning | kForRestore | kForPurge, 0,
     "Show what would go; delete nothing. Also --preview."},
    {OptionId::kBrowserList, "", "--list", "", kForBrowsers, 0, "browsers: the same as --dry-run."},
    {OptionId::kInteractive, "-i", "--interactive", "", kForRun | kForFolder, 0, "Ask on the terminal before each folder."},
    {OptionId::kKeepGoing, "", "--keep-going", "", kForCleaning, 0,
     "A folder that cannot be entered, or that is never\n"
     "cleaned without asking, is reported and the run goes on\n"
     "(exit status 3 all the same)."},
    {OptionId::kNoCount, "", "--no-count", "", kForList, 0, "list: do not count the files."},
    {OptionId::kQuiet, "-q", "--quiet", "", kForAll | kForRecords | kForSchedule, 0,
     "No progress bar and no summary; errors still go to stderr."},
    {OptionId::kJson, "", "--json", "", kForAll | kForRecords | kForSchedule, 0,
     "Print one JSON object with the result on standard output."},
    {OptionId::kHelp, "-h", "--help", "", kAsCommand, 0, "Show this text."},
    {OptionId::kVersion, "-V", "--version", "", kAsCommand, 0, "Show the version."},
    {OptionId::kLast, "", "--last", "", kForRestore, 2, "restore: the last run recorded (the default)."},
    {OptionId::kRun, "", "--run", "", kForRestore, 2, "restore: the run of that id (see history).", "ID"},
    {OptionId::kOlderThan, "", "--older-than", "", kForPurge, 0,
     "purge: the files moved into the trash DAYS or more\n"
     "days ago (0 to 3650; 0: all of them).",
     "DAYS", true},
    {OptionId::kDaily, "", "--daily", "", kForSchedule, 3, "schedule: clean every day.", "", true},
    {OptionId::kWeekly, "", "--weekly", "", kForSchedule, 3, "schedule: clean every week.", "", true},
    {OptionId::kMonthly, "", "--monthly", "", kForSchedule, 3, "schedule: clean every month.", "", true},
    {OptionId::kOnBrowserClose, "", "--on-browser-close", "", kForSchedule, 3,
     "schedule: empty a browser's caches when it closes, by\n"
     "a user service running vorlix-clean watch (beside the\n"
     "timer; --trash unless --permanent).",
     "", true},
    {OptionId::kOff, "", "--off", "", kForSchedule, 3,
     "schedule: switch the timer and the watcher off and\nremove them.", "", true},
    {OptionId::kStatus, "", "--status", "", kForSchedule, 3,
     "schedule: show what is set and how its last run went.", "", true},
    {OptionId::kScheduleBrowsers, "", "--browsers", "", kForSchedule, 0, "schedule: clean the browser caches."},
    {OptionId::kDelay, "", "--delay", "", kForWatch, 0,
     "watch: how long a browser must stay closed before its\n"
     "caches go (0 to 3600 seconds; 5 unless given).",
     "SECONDS"},
}};

// The option a word names for a command (kAsCommand: in the command's place); null when none.
const OptionSpec* FindOption(std::string_view word, unsigned command);

// The options a command needs that `given` lacks, as the synopsis shows
// them ("--older-than DAYS"); empty when none is missing.
std::string MissingOption(unsigned command, const std::vector<const OptionSpec*>& given);

// The command bit of a command (kAsCommand for --help and the like).
unsigned CommandBit(Command command);

// The command a word names ("list", "run" ...); nothing for any other word.
std::optional<Command> CommandNamed(std::string_view word);

// The whole text of --help.
std::string UsageText();

// A bash completion script for vorlix-clean.
std::string CompletionScript();

}  // namespace vorlix::clean_tool
