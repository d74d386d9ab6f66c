// SPDX-License-Identifier: MIT
// vorlix-clean's options, and the usage text and bash completion made from them.

#include "tools/vorlix-clean/option_table.h"

#include <algorithm>

#include "tools/vorlix-clean/usage.h"

namespace vorlix::clean_tool {
namespace {

constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kHelpColumn = 18;
constexpr std::size_t kSynopsisIndent = 24;  // a synopsis's later lines begin under "run"'s first item

// Every command, once: its word, the bit of the options it takes and its
// argument in the synopsis, before the options.
struct CommandWords {
  Command command;
  unsigned bit;
  std::string_view name;
  std::string_view argument;
};

constexpr std::array<CommandWords, 9> kCommands = {{{Command::kList, kForList, "list", ""},
                                                    {Command::kRun, kForRun, "run", "[SLOT...]"},
                                                    {Command::kFolder, kForFolder, "folder", "PATH"},
                                                    {Command::kBrowsers, kForBrowsers, "browsers", "[BROWSER...]"},
                                                    {Command::kHistory, kForHistory, "history", ""},
                                                    {Command::kRestore, kForRestore, "restore", ""},
                                                    {Command::kPurge, kForPurge, "purge", ""},
                                                    {Command::kSchedule, kForSchedule, "schedule", ""},
                                                    {Command::kWatch, kForWatch, "watch", "[BROWSER...]"}}};

// "--run ID" for an option that takes a value, else its long name.
std::string Named(const OptionSpec& option) {
  std::string name(option.long_name);
  if (!option.argument.empty()) name.append(1, ' ').append(option.argument);
  return name;
}

// The synopsis item of an option, or of its group ("[--trash|--permanent]")
// at the group's first member; empty for the group's later members. A needed
// option has no brackets.
std::string SynopsisItem(std::size_t index) {
  const OptionSpec& option = kOptionTable[index];
  for (std::size_t i = 0; option.group != 0 && i < index; ++i) {
    if (kOptionTable[i].group == option.group) return {};
  }
  std::string item = Named(option);
  for (std::size_t i = index + 1; option.group != 0 && i < kOptionTable.size(); ++i) {
    if (kOptionTable[i].group == option.group) item.append(1, '|').append(Named(kOptionTable[i]));
  }
  return option.needed ? item : "[" + item + "]";
}

std::string Synopsis() {
  std::string text;
  for (const CommandWords& command : kCommands) {
    std::string line = std::string(text.empty() ? "Usage: " : "       ") + "vorlix-clean " + std::string(command.name);
    std::vector<std::string> items;
    if (!command.argument.empty()) items.emplace_back(command.argument);
    for (const bool needed : {true, false}) {  // what the command needs first
      for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
        if ((kOptionTable[i].commands & command.bit) == 0 || kOptionTable[i].needed != needed) continue;
        if (std::string item = SynopsisItem(i); !item.empty()) items.push_back(std::move(item));
      }
    }
    for (const std::string& item : items) {
      if (line.size() + 1 + item.size() > kLineWidth) {
        text += line + '\n';
        line = std::string(kSynopsisIndent - 1, ' ');
      }
      line += ' ' + item;
    }
    text += line + '\n';
  }
  return text;
}

std::string OptionsSection() {
  std::string text = "Options:\n";
  for (const OptionSpec& option : kOptionTable) {
    std::string names = "  ";
    if (!option.short_name.empty()) names += std::string(option.short_name) + ", ";
    names += Named(option);
    text += names.size() < kHelpColumn ? names + std::string(kHelpColumn - names.size(), ' ')
                                       : names + '\n' + std::string(kHelpColumn, ' ');
    for (const char c : option.help) text += c == '\n' ? "\n" + std::string(kHelpColumn, ' ') : std::string(1, c);
    text += '\n';
  }
  return text;
}

// The long names and aliases of the options a command takes, separated by blanks.
std::string Words(unsigned command) {
  std::string words;
  for (const OptionSpec& option : kOptionTable) {
    if ((option.commands & command) == 0) continue;
    for (const std::string_view name : {option.long_name, option.alias}) {
      if (name.empty()) continue;
      if (!words.empty()) words += ' ';
      words += name;
    }
  }
  return words;
}

}  // namespace

const OptionSpec* FindOption(std::string_view word, unsigned command) {
  for (const OptionSpec& option : kOptionTable) {
    if ((option.commands & command) == 0) continue;
    if (word == option.long_name || (!option.short_name.empty() && word == option.short_name) ||
        (!option.alias.empty() && word == option.alias)) {
      return &option;
    }
  }
  return nullptr;
}

std::string MissingOption(unsigned command, const std::vector<const OptionSpec*>& given) {
  for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
    const OptionSpec& option = kOptionTable[i];
    if (!option.needed || (option.commands & command) == 0) continue;
    const bool found = std::any_of(given.begin(), given.end(), [&](const OptionSpec* other) {
      return other == &option || (option.group != 0 && other->group == option.group);
    });
    if (!found) return SynopsisItem(i);
  }
  return {};
}

unsigned CommandBit(Command command) {
  const auto words = std::find_if(kCommands.begin(), kCommands.end(),
                                  [&](const CommandWords& each) { return each.command == command; });
  return words == kCommands.end() ? kAsCommand : words->bit;
}

std::optional<Command> CommandNamed(std::string_view word) {
  const auto words =
      std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandWords& each) { return each.name == word; });
  return words == kCommands.end() ? std::nullopt : std::optional<Command>(words->command);
}

std::string UsageText() {
  return Synopsis() + "\n" + std::string(kHelpDescription) + "\n" + OptionsSection() + "\n" +
         std::string(kHelpExitStatus);
}

std::string CompletionScript() {
  std::string commands;
  std::string option_arms;  // the case arms of the commands that take options only
  for (const CommandWords& command : kCommands) {
    commands += std::string(command.name) + ' ';
    if (command.bit == kForRun || command.bit == kForFolder) continue;
    option_arms += "    " + std::string(command.name) + ") COMPREPLY=($(compgen -W '" + Words(command.bit) +
                      "' -- \"$cur\")) ;;\n";
  }
  std::string script =
      "# SPDX-License-Identifier: MIT\n"
      "# bash completion for vorlix-clean: commands, slots, options and folders.\n"
      "_vorlix_clean() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]}\n"
      "  COMPREPLY=()\n"
      "  if [[ $COMP_CWORD -eq 1 ]]; then\n"
      "    COMPREPLY=($(compgen -W '" +
      commands + Words(kAsCommand) +
      "' -- \"$cur\"))\n"
      "    return\n"
      "  fi\n"
      "  case ${COMP_WORDS[1]} in\n"
      "    run) COMPREPLY=($(compgen -W '1 2 3 4 5 6 7 8 u1 u2 u3 u4 u5 u6 " +
      Words(kForRun) +
      "' -- \"$cur\")) ;;\n"
      "    folder)\n"
      "      if [[ $cur == -* ]]; then\n"
      "        COMPREPLY=($(compgen -W '" +
      Words(kForFolder) +
      "' -- \"$cur\"))\n"
      "      else\n"
      "        COMPREPLY=($(compgen -d -- \"$cur\"))\n"
      "      fi\n"
      "      ;;\n" +
      option_arms +
      "  esac\n"
      "}\n"
      "complete -o filenames -F _vorlix_clean vorlix-clean\n";
  return script;
}

}  // namespace vorlix::clean_tool
