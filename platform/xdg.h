// SPDX-License-Identifier: MIT
// Where Vorlix keeps its files, after the freedesktop base-directory rules.
#pragma once

#include <string>

namespace vorlix::platform {

// $HOME, or the user's home folder from the password database.
std::string HomeDir();
// $WINEPREFIX, or an empty text when it is unset or not absolute.
std::string WinePrefix();
// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
std::string ConfigHome();
// $XDG_CACHE_HOME, or ~/.cache.
std::string CacheHome();
// $XDG_DATA_HOME, or ~/.local/share.
std::string DataHome();
// $XDG_RUNTIME_DIR, or an empty text when it is unset, not absolute or not an
// existing folder.
std::string RuntimeDir();
// Whether `path` is the home folder or lies inside it while the home folder
// does not exist (a system account's home such as /nonexistent). Nothing is
// ever made there: a missing home stays missing, and what would live in it
// comes from defaults.
bool InsideMissingHome(const std::string& path);
// ConfigHome()/vorlix: the drive links and the settings store live here.
std::string VorlixConfigDir();

}  // namespace vorlix::platform
