// SPDX-License-Identifier: MIT
// vorlix-clean's command line.

#include "tools/vorlix-clean/options.h"

#include <map>

#include "platform/ascii.h"
#include "tools/vorlix-clean/browser_names.h"
#include "tools/vorlix-clean/option_table.h"

namespace vorlix::clean_tool {
namespace {

constexpr std::size_t kIeSlots = 8;

Command CommandOf(const std::string& word) {
  static const std::map<std::string, Command> commands = {
      {"list", Command::kList}, {"run", Command::kRun}, {"folder", Command::kFolder}, {"browsers", Command::kBrowsers},
      {"--print-completion", Command::kCompletion}};
  if (const auto found = commands.find(word); found != commands.end()) return found->second;
  if (const OptionSpec* option = FindOption(word, kAsCommand); option != nullptr) {
    return option->id == OptionId::kHelp ? Command::kHelp : Command::kVersion;
  }
  throw UsageError("unknown command '" + word + "'");
}

void SetMethod(Options& options, MethodOverride method) {
  if (options.method != MethodOverride::kNone && options.method != method) {
    throw UsageError("--trash and --permanent exclude each other");
  }
  options.method = method;
}

// One option; false when the word is not an option this command takes.
bool TakeOption(const std::string& word, Options& options) {
  const OptionSpec* option = FindOption(word, CommandBit(options.command));
  if (option == nullptr) return false;
  switch (option->id) {
    case OptionId::kKillAll: options.kill_all = true; break;
    case OptionId::kTypedUrls: options.typed_urls = true; break;
    case OptionId::kHistory: options.history = true; break;
    case OptionId::kTrash: SetMethod(options, MethodOverride::kTrash); break;
    case OptionId::kPermanent: SetMethod(options, MethodOverride::kPermanent); break;
    case OptionId::kDryRun:
    case OptionId::kBrowserList: options.dry_run = true; break;
    case OptionId::kInteractive: options.interactive = true; break;
    case OptionId::kKeepGoing: options.keep_going = true; break;
    case OptionId::kNoCount: options.count = false; break;
    case OptionId::kQuiet: options.quiet = true; break;
    case OptionId::kJson: options.json = true; break;
    case OptionId::kHelp:
    case OptionId::kVersion: return false;
  }
  return true;
}

}  // namespace

std::optional<std::size_t> SlotIndexOf(const std::string& name) {
  if (name.size() == 1 && name[0] >= '1' && name[0] <= '8') return static_cast<std::size_t>(name[0] - '1');
  if (name.size() == 2 && platform::AsciiLower(name[0]) == 'u' && name[1] >= '1' && name[1] <= '6') {
    return kIeSlots + static_cast<std::size_t>(name[1] - '1');
  }
  return std::nullopt;
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("no command given");
  options.command = CommandOf(args[0]);
  if (options.command == Command::kHelp || options.command == Command::kVersion ||
      options.command == Command::kCompletion) {
    if (args.size() > 1) throw UsageError("'" + args[0] + "' takes no arguments");
    return options;
  }
  bool options_end = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!options_end && word == "--") {
      options_end = true;
    } else if (!options_end && word.starts_with('-') && word.size() > 1) {
      if (!TakeOption(word, options)) throw UsageError("unknown option '" + word + "' for " + args[0]);
    } else if (options.command == Command::kRun) {
      const std::optional<std::size_t> slot = SlotIndexOf(word);
      if (!slot) throw UsageError("'" + word + "' is no slot (slots are 1 to 8 and u1 to u6)");
      options.slots.set(*slot);
    } else if (options.command == Command::kBrowsers) {
      if (!IsBrowserName(word)) throw UsageError("unknown browser '" + word + "'");
      options.browsers.push_back(word);
    } else if (options.command == Command::kFolder && options.folder.empty() && !word.empty()) {
      options.folder = word;
    } else {
      throw UsageError("unexpected argument '" + word + "'");
    }
  }
  if (options.command == Command::kRun && options.slots.none() && !options.kill_all && !options.typed_urls &&
      !options.history) {
    throw UsageError("name the slots to clean, or --kill-all, --typed-urls or --history");
  }
  if (options.command == Command::kFolder && options.folder.empty()) throw UsageError("folder needs a PATH");
  return options;
}

}  // namespace vorlix::clean_tool
