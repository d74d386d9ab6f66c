// SPDX-License-Identifier: MIT
// Where Vorlix keeps its files, after the freedesktop base-directory rules.
#pragma once

#include <string>

namespace vorlix::platform {

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
std::string ConfigHome();
// $XDG_DATA_HOME, or ~/.local/share.
std::string DataHome();
// $XDG_RUNTIME_DIR, or an empty text when it is unset or not absolute.
std::string RuntimeDir();
// ConfigHome()/vorlix: the drive links and the settings store live here.
std::string VorlixConfigDir();

}  // namespace vorlix::platform
