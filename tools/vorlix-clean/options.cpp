// SPDX-License-Identifier: MIT
// vorlix-clean's command line.

#include "tools/vorlix-clean/options.h"

#include <map>

#include "platform/ascii.h"
#include "tools/vorlix-clean/report.h"

namespace vorlix::clean_tool {
namespace {

constexpr std::size_t kIeSlots = 8;

// An argument as a message quotes it: in single quotes, on one line whatever it holds.
std::string Quoted(const std::string& word) { return "'" + PrintableText(word) + "'"; }

Command CommandOf(const std::string& word) {
  static const std::map<std::string, Command> commands = {
      {"list", Command::kList}, {"run", Command::kRun}, {"folder", Command::kFolder},
      {"--help", Command::kHelp}, {"-h", Command::kHelp}, {"--version", Command::kVersion},
      {"-V", Command::kVersion}};
  const auto found = commands.find(word);
  if (found == commands.end()) throw UsageError("unknown command " + Quoted(word));
  return found->second;
}

void SetMethod(Options& options, MethodOverride method) {
  if (options.method != MethodOverride::kNone && options.method != method) {
    throw UsageError("--trash and --permanent exclude each other");
  }
  options.method = method;
}

// One option; false when the word is not an option this command takes.
bool TakeOption(const std::string& word, Options& options) {
  const bool cleaning = options.command == Command::kRun || options.command == Command::kFolder;
  if (word == "--json") {
    options.json = true;
  } else if (word == "--quiet" || word == "-q") {
    options.quiet = true;
  } else if (word == "--no-count" && options.command == Command::kList) {
    options.count = false;
  } else if (cleaning && word == "--trash") {
    SetMethod(options, MethodOverride::kTrash);
  } else if (cleaning && word == "--permanent") {
    SetMethod(options, MethodOverride::kPermanent);
  } else if (cleaning && (word == "--dry-run" || word == "--preview" || word == "-n")) {
    options.dry_run = true;
  } else if (cleaning && (word == "--interactive" || word == "-i")) {
    options.interactive = true;
  } else if (options.command == Command::kRun && word == "--kill-all") {
    options.kill_all = true;
  } else if (options.command == Command::kRun && word == "--typed-urls") {
    options.typed_urls = true;
  } else if (options.command == Command::kRun && word == "--history") {
    options.history = true;
  } else {
    return false;
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

std::string SlotName(std::size_t index) {
  if (index < kIeSlots) return std::to_string(index + 1);
  std::string name = "u";
  return name.append(std::to_string(index - kIeSlots + 1));
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("no command given");
  options.command = CommandOf(args[0]);
  if (options.command == Command::kHelp || options.command == Command::kVersion) {
    if (args.size() > 1) throw UsageError(Quoted(args[0]) + " takes no arguments");
    return options;
  }
  bool options_end = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!options_end && word == "--") {
      options_end = true;
    } else if (!options_end && word.starts_with('-') && word.size() > 1) {
      if (!TakeOption(word, options)) throw UsageError("unknown option " + Quoted(word) + " for " + args[0]);
    } else if (options.command == Command::kRun) {
      const std::optional<std::size_t> slot = SlotIndexOf(word);
      if (!slot) throw UsageError(Quoted(word) + " is no slot (slots are 1 to 8 and u1 to u6)");
      options.slots.set(*slot);
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
  return options;
}

}  // namespace vorlix::clean_tool
