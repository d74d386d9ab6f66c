// SPDX-License-Identifier: MIT
// The last cleaning of the browser-close watcher, kept in one line of text so
// that the schedule's status can show it without reading the journal.
#pragma once

#include <optional>
#include <string>

namespace vorlix {

// $XDG_CONFIG_HOME/vorlix/last-watch-cleaning.
std::string WatchLastPath();

// Replaces the kept line with `line` (no line break in it); an empty text
// on success, else the system's reason.
std::string SaveWatchLast(const std::string& line);

// The kept line; nothing when the watcher has not cleaned yet.
std::optional<std::string> ReadWatchLast();

}  // namespace vorlix
