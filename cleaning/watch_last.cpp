// SPDX-License-Identifier: MIT
// The last cleaning of the browser-close watcher, in one line of text.
#include "cleaning/watch_last.h"

#include "platform/small_files.h"
#include "platform/xdg.h"

namespace vorlix {

std::string WatchLastPath() { return platform::VorlixConfigDir() + "/last-watch-cleaning"; }

std::string SaveWatchLast(const std::string& line) { return platform::WriteSmallFile(WatchLastPath(), line + "\n"); }

std::optional<std::string> ReadWatchLast() {
  std::optional<std::string> text = platform::ReadSmallFile(WatchLastPath(), 4096);
  if (!text || text->empty()) return std::nullopt;
  if (text->back() == '\n') text->pop_back();
  return text;
}

}  // namespace vorlix
