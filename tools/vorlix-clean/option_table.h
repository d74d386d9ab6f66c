// SPDX-License-Identifier: MIT
// vorlix-clean's options, each once: its names, the commands that take it and
// its help. The parser, the usage text and the bash completion are all made
// from this table, so an option is added in one place.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "tools/vorlix-clean/options.h"

namespace vorlix::clean_tool {

enum class OptionId {
  kKillAll, kTypedUrls, kHistory, kTrash, kPermanent, kDryRun, kInteractive, kKeepGoing,
  kNoCount, kQuiet, kJson, kHelp, kVersion, kBrowserList,
};

// The commands that take an option, as bits.
inline constexpr unsigned kForList = 1;
inline constexpr unsigned kForRun = 2;
inline constexpr unsigned kForFolder = 4;
inline constexpr unsigned kAsCommand = 8;  // given alone, in the command's place
inline constexpr unsigned kForBrowsers = 16;
inline constexpr unsigned kForCleaning = kForRun | kForFolder | kForBrowsers;
inline constexpr unsigned kForAll = kForList | kForRun | kForFolder | kForBrowsers;

struct OptionSpec {
  OptionId id;
  std::string_view short_name;  // "-n", or empty
  std::string_view long_name;   // "--dry-run"
  std::string_view alias;       // another long name ("--preview"), or empty
  unsigned commands;
  int group;               // options of one nonzero group exclude each other: [--trash|--permanent]
  std::string_view help;   // lines joined by '\n'
};

inline constexpr std::array<OptionSpec, 14> kOptionTable = {{
    {OptionId::kKillAll, "", "--kill-all", "", kForRun, 0,
     "run: also every slot ticked in the Kill All dialog (user\n"
     "slots not set up are skipped), and the typed-URL list and\n"
     "history folder when they are ticked there."},
    {OptionId::kTypedUrls, "", "--typed-urls", "", kForRun, 0, "run: delete the browser's typed-URL list."},
    {OptionId::kHistory, "", "--history", "", kForRun, 0, "run: clean the history folder."},
    {OptionId::kTrash, "", "--trash", "", kForCleaning, 1, "Move the files into the trash, whatever the slot's method."},
    {OptionId::kPermanent, "", "--permanent", "", kForCleaning, 1, "Delete the files for good, whatever the slot's method."},
    {OptionId::kDryRun, "-n", "--dry-run", "--preview", kForCleaning, 0,
     "Show what would go; delete nothing. Also --preview."},
    {OptionId::kBrowserList, "", "--list", "", kForBrowsers, 0, "browsers: the same as --dry-run."},
    {OptionId::kInteractive, "-i", "--interactive", "", kForRun | kForFolder, 0, "Ask on the terminal before each folder."},
    {OptionId::kKeepGoing, "", "--keep-going", "", kForCleaning, 0,
     "A folder that cannot be entered, or that is never\n"
     "cleaned without asking, is reported and the run goes on\n"
     "(exit status 3 all the same)."},
    {OptionId::kNoCount, "", "--no-count", "", kForList, 0, "list: do not count the files."},
    {OptionId::kQuiet, "-q", "--quiet", "", kForAll, 0,
     "No progress bar and no summary; errors still go to stderr."},
    {OptionId::kJson, "", "--json", "", kForAll, 0, "Print one JSON object with the result on standard output."},
    {OptionId::kHelp, "-h", "--help", "", kAsCommand, 0, "Show this text."},
    {OptionId::kVersion, "", "--version", "", kAsCommand, 0, "Show the version."},
}};

// The option a word names for a command (kAsCommand: in the command's place); null when none.
const OptionSpec* FindOption(std::string_view word, unsigned command);

// The command bit of a command.
unsigned CommandBit(Command command);

// The whole text of --help.
std::string UsageText();

// A bash completion script for vorlix-clean.
std::string CompletionScript();

}  // namespace vorlix::clean_tool
