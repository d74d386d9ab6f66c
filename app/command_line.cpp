// SPDX-License-Identifier: MIT
// The program's command line.

#include "app/command_line.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "support/text_utils.h"
#include "version.h"

namespace vorlix {
namespace {

constexpr std::string_view kUsage = R"(Usage: vorlix [OPTION]...
Empty cache folders and report the disk space regained.

Vorlix opens one window: pick the folder to clean with the drive box and the
folder tree, or with the numbered buttons that hold stored folders, then press
"Delete Cache"; "Kill All" cleans every folder ticked in its dialog in one run.
Settings are kept in $XDG_CONFIG_HOME/vorlix/registry.db; the command
vorlix-reg reads and edits them. Only one copy runs at a time: starting a
second brings the first one's window to the front.

Options:
  -h, --help     display this help and exit
  -V, --version  output version information and exit

The toolkit's standard options (-platform NAME, -display NAME, -style NAME,
...) are passed on to it.

Exit status: 0 when the window was closed; 1 when no display could be opened;
2 for a wrong argument.

Full documentation: the Help menu of the program, and man vorlix.
)";

constexpr std::string_view kVersion =
    "vorlix " VORLIX_VERSION "\n"
    "Copyright (C) 1999-2026 Tolvex\n"
    "License MIT: <https://opensource.org/licenses/MIT>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// The toolkit's own options: those taking a value, then the plain switches.
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "style", "stylesheet",
    "session", "qwindowgeometry", "qwindowtitle", "qwindowicon", "geometry", "title", "name"};
constexpr std::string_view kToolkitSwitches[] = {"reverse", "nograb", "dograb", "widgetcount"};

bool Contains(const auto& names, std::string_view name) { return std::ranges::find(names, name) != std::end(names); }

int Refuse(std::ostream& err, std::string_view before, std::string_view argument, std::string_view after = "") {
  err << "vorlix: " << before << " '" << PrintableText(argument) << "'" << after << "\n"
      << "Try 'vorlix --help' for more information.\n";
  return 2;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      out << kUsage;
      return 0;
    }
    if (arg == "--version" || arg == "-V") {
      out << kVersion;
      return 0;
    }
    if (arg.size() < 2 || arg[0] != '-') return Refuse(err, "extra operand", arg);
    // The toolkit reads its options with one dash or two.
    const std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
    if (Contains(kToolkitSwitches, name)) continue;
    if (!Contains(kToolkitOptionsWithValue, name)) return Refuse(err, "unrecognized option", arg);
    if (++i == argc) return Refuse(err, "option", arg, " requires an argument");
  }
  return std::nullopt;
}

}  // namespace vorlix
