// SPDX-License-Identifier: MIT
// vorlix-clean's command line.

#include "tools/vorlix-clean/options.h"

#include <charconv>

#include "cleaning/cleaning_plan.h"
#include "cleaning/let_go_setting.h"
#include "platform/ascii.h"
#include "tools/vorlix-clean/browser_names.h"
#include "tools/vorlix-clean/option_table.h"
#include "tools/vorlix-clean/report.h"

namespace vorlix::clean_tool {
namespace {

constexpr int kMostDelay = 3600;  // watch --delay: an hour

// An argument as a message quotes it: in single quotes, on one line whatever it holds.
std::string Quoted(const std::string& word) { return "'" + PrintableText(word) + "'"; }

Command CommandOf(const std::string& word) {
  if (const std::optional<Command> command = CommandNamed(word)) return *command;
  if (word == "--print-completion") return Command::kCompletion;
  if (const OptionSpec* option = FindOption(word, kAsCommand); option != nullptr) {
    return option->id == OptionId::kHelp ? Command::kHelp : Command::kVersion;
  }
  throw UsageError("unknown command " + Quoted(word));
}

// An option's whole number of `unit` from 0 to `most` (purge --older-than's
// days, watch --delay's seconds).
int WholeNumberOf(const std::string& text, const char* option, int most, const char* unit) {
  int number = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < 0 || number > most) {
    throw UsageError(std::string(option) + " takes a whole number of " + unit + " from 0 to " + std::to_string(most) +
                     ", not " + Quoted(text));
  }
  return number;
}

// Throws when an option of the same group, another than this one, came before.
void CheckGroup(const OptionSpec& option, std::vector<const OptionSpec*>& given) {
  for (const OptionSpec* earlier : given) {
    if (option.group == 0 || earlier->group != option.group || earlier->id == option.id) continue;
    const bool in_order = earlier < &option;  // named in table order
    throw UsageError(std::string(in_order ? earlier->long_name : option.long_name) + " and " +
                     std::string(in_order ? option.long_name : earlier->long_name) + " exclude each other");
  }
  given.push_back(&option);
}

// The option at args[i], with its value from args[i + 1] when it takes one
// (i then moves past it); false when the word is not an option this command takes.
bool TakeOption(const std::vector<std::string>& args, std::size_t& i, Options& options,
                std::vector<const OptionSpec*>& given) {
  const OptionSpec* option = FindOption(args[i], CommandBit(options.command));
  if (option == nullptr) return false;
  CheckGroup(*option, given);
  std::string value;
  if (!option->argument.empty()) {
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      throw UsageError(Quoted(args[i]) + " needs " + std::string(option->argument));
    }
    value = args[++i];
  }
  switch (option->id) {
    case OptionId::kKillAll: options.kill_all = true; break;
    case OptionId::kTypedUrls: options.typed_urls = true; break;
    case OptionId::kHistory: options.history = true; break;
    case OptionId::kTrash: options.method = MethodOverride::kTrash; break;
    case OptionId::kPermanent: options.method = MethodOverride::kPermanent; break;
    case OptionId::kDryRun:
    case OptionId::kBrowserList: options.dry_run = true; break;
    case OptionId::kInteractive: options.interactive = true; break;
    case OptionId::kKeepGoing: options.keep_going = true; break;
    case OptionId::kNoCount: options.count = false; break;
    case OptionId::kQuiet: options.quiet = true; break;
    case OptionId::kJson: options.json = true; break;
    case OptionId::kLast: options.run_id.clear(); break;
    case OptionId::kRun: options.run_id = value; break;
    case OptionId::kOlderThan: options.older_than = WholeNumberOf(value, "--older-than", kLetGoDaysMost, "days"); break;
    case OptionId::kDaily: options.schedule = ScheduleAction::kDaily; break;
    case OptionId::kWeekly: options.schedule = ScheduleAction::kWeekly; break;
    case OptionId::kMonthly: options.schedule = ScheduleAction::kMonthly; break;
    case OptionId::kOff: options.schedule = ScheduleAction::kOff; break;
    case OptionId::kStatus: options.schedule = ScheduleAction::kStatus; break;
    case OptionId::kScheduleBrowsers: options.schedule_browsers = true; break;
    case OptionId::kDelay: options.delay = WholeNumberOf(value, "--delay", kMostDelay, "seconds"); break;
    case OptionId::kOnBrowserClose: options.schedule = ScheduleAction::kOnBrowserClose; break;
    case OptionId::kHelp:
    case OptionId::kVersion: return false;
  }
  return true;
}

void CheckSchedule(const Options& options) {
  const bool chosen = options.kill_all || options.schedule_browsers || options.method != MethodOverride::kNone;
  if (options.schedule == ScheduleAction::kOff || options.schedule == ScheduleAction::kStatus) {
    if (chosen) throw UsageError("--off and --status take no choice of what to clean");
  } else if (options.schedule == ScheduleAction::kOnBrowserClose) {
    if (options.kill_all || options.schedule_browsers) {
      throw UsageError("--on-browser-close cleans the browser caches only: it takes no --kill-all or --browsers");
    }
  } else if (!options.kill_all && !options.schedule_browsers) {
    throw UsageError("name what to clean: --kill-all, --browsers or both");
  }
}

}  // namespace

std::optional<std::size_t> SlotIndexOf(const std::string& name) {
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    if (platform::EqualIgnoringAsciiCase(name, SlotName(i))) return i;
  }
  return std::nullopt;
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("no command given");
  options.command = CommandOf(args[0]);
  if (options.command == Command::kHelp || options.command == Command::kVersion ||
      options.command == Command::kCompletion) {
    if (args.size() > 1) throw UsageError(Quoted(args[0]) + " takes no arguments");
    return options;
  }
  bool options_end = false;
  std::vector<const OptionSpec*> given;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!options_end && word == "--") {
      options_end = true;
    } else if (!options_end && word.starts_with('-') && word.size() > 1) {
      if (!TakeOption(args, i, options, given)) throw UsageError("unknown option " + Quoted(word) + " for " + args[0]);
    } else if (options.command == Command::kRun) {
      const std::optional<std::size_t> slot = SlotIndexOf(word);
      if (!slot) throw UsageError(Quoted(word) + " is no slot (slots are 1 to 8 and u1 to u6)");
      options.slots.set(*slot);
    } else if (options.command == Command::kBrowsers || options.command == Command::kWatch) {
      if (!IsBrowserName(word)) throw UsageError("unknown browser " + Quoted(word));
      options.browsers.push_back(word);
    } else if (options.command == Command::kFolder && options.folder.empty() && !word.empty()) {
      options.folder = word;
    } else {
      throw UsageError("unexpected argument " + Quoted(word));
    }
  }
  if (options.command == Command::kRun && options.slots.none() && !options.kill_all && !options.typed_urls &&
      !options.history) {
    throw UsageError("name the slots to clean, or --kill-all, --typed-urls or --history");
  }
  if (options.command == Command::kFolder && options.folder.empty()) throw UsageError("folder needs a PATH");
  if (const std::string missing = MissingOption(CommandBit(options.command), given); !missing.empty()) {
    throw UsageError(args[0] + " needs " + missing);
  }
  if (options.command == Command::kSchedule) CheckSchedule(options);
  return options;
}

}  // namespace vorlix::clean_tool
