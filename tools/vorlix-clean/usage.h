// SPDX-License-Identifier: MIT
// What vorlix-clean says about its own use.
#pragma once

#include <string_view>

namespace vorlix::clean_tool {

inline constexpr std::string_view kHelp = R"(Usage: vorlix-clean list [--no-count] [--json]
       vorlix-clean run [SLOT...] [--kill-all] [--typed-urls] [--history]
                        [--trash|--permanent] [--dry-run] [--interactive]
                        [--quiet] [--json]
       vorlix-clean folder PATH [--trash|--permanent] [--dry-run]
                        [--interactive] [--quiet] [--json]

Cleans the Vorlix folder slots from a terminal, a script or a timer, with the
settings the Vorlix window keeps ($XDG_CONFIG_HOME/vorlix/registry.db) and the
same rules: only the regular files directly in a folder go, hidden files and
subfolders stay, a read-only file is retried once, a file that cannot be moved
into the trash is never deleted for good instead, and links go as links.

Commands:
  list          Show the fourteen slots in Kill All order (1 to 8, u1 to u6),
                the history folder and the typed-URL list: each folder as
                stored and as a Linux path, its delete method, whether Kill
                All's dialog has it ticked, and the files and bytes a run
                would remove.
  run SLOT...   Clean the named slots (1 to 8, u1 to u6), each with its own
                delete method. A run with nothing to clean named is an error.
  folder PATH   Clean one folder, given as a DOS path (C:\tmp\x) or a Linux
                path (/tmp/x), as "Delete Cache" cleans the folder in view.

Options:
  --kill-all      run: also every slot ticked in the Kill All dialog (user
                  slots not set up are skipped), and the typed-URL list and
                  history folder when they are ticked there.
  --typed-urls    run: delete the browser's typed-URL list.
  --history       run: clean the history folder.
  --trash         Move the files into the trash, whatever the slot's method.
  --permanent     Delete the files for good, whatever the slot's method.
  -n, --dry-run   Show what would go; delete nothing. Also --preview.
  -i, --interactive
                  Ask on the terminal before each folder.
  --no-count      list: do not count the files.
  -q, --quiet     No progress bar and no summary; errors still go to stderr.
  --json          Print one JSON object with the result on standard output.
  -h, --help      Show this text.
  -V, --version   Show the version.

Exit status: 0 all done; 1 some files could not be removed (each is named on
standard error, the run goes on); 2 wrong arguments; 3 a folder could not be
entered or the settings store could not be read (the run stops there); 130
interrupted (Ctrl+C stops after the current file and reports what was done).
)";

}  // namespace vorlix::clean_tool
