// SPDX-License-Identifier: MIT
// What vorlix-clean says about its own use, beside its options (option_table.h).
#pragma once

#include <string_view>

namespace vorlix::clean_tool {

inline constexpr std::string_view kHelpDescription =
    R"(Cleans the Vorlix folder slots from a terminal, a script or a timer, with the
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
  browsers [BROWSER...]
                Empty the caches of every browser found (or of those
                named: "firefox", "chromium", "google chrome" ...; any
                letter case; a name without its (Snap) or (Flatpak) takes
                every packaging) for every profile, into the trash unless
                --permanent. Each cache folder is emptied whole: every file
                in it and its subfolders goes, hidden ones too (they are
                cache entries), and the folders stay. A browser that is
                running keeps its caches (told on standard error); cookies,
                history, sessions and settings are never touched.
                --dry-run or --list shows each cache folder, its files and
                bytes and whether its browser runs.
  history       List the recorded runs that moved files into the trash,
                newest first: id, when, files moved, files still in the
                trash, and the folders they came from.
  restore       Put back every file of the last run (or --run ID) that is
                still in the trash, each at its own path in the very folder
                it came from, never through a link; a file whose path is
                taken, or whose folder is another now, stays and is named.
  purge         Delete for good the files Vorlix moved into the trash
                --older-than DAYS ago or more; nothing else in the trash,
                not even a file trashed again by another program since.
  schedule      Set a systemd user timer that cleans --daily, --weekly or
                --monthly (--kill-all, --browsers or both), remove it with
                --off, or show it and its last run with --status.
                --on-browser-close sets, beside it, a user service that
                empties a browser's caches when it closes; --off removes it
                too.
  watch [BROWSER...]
                Stay running and empty a browser's caches, as browsers
                does, each time the browser closes and stays closed for
                --delay seconds; a browser that opens again in the wait
                keeps them, as does one never seen running. It waits on
                the marks the browsers leave while they run, costs no CPU
                while it waits, finds new profiles by itself, prints one
                line per cleaning and ends on Ctrl+C or SIGTERM.
)";

inline constexpr std::string_view kHelpExitStatus =
    R"(Exit status: 0 all done; 1 some files could not be removed (each is named on
standard error with a count by reason after its folder, the run goes on); 2
wrong arguments; 3 a folder could not be entered or the settings store could
not be read (the run stops there; with --keep-going a folder is passed by); 130
interrupted (Ctrl+C stops after the current file and reports what was done).
restore: 0 all back; 1 some stayed in the trash; 3 no such run is recorded, or
its record cannot be read (history: 3 likewise).
purge: 1 some files could not be deleted. watch: 0 once stopped; 3 the folders
cannot be watched. schedule: 1 the timer or the watcher could not be set or
removed (the message says why and what to do).
)";

}  // namespace vorlix::clean_tool
