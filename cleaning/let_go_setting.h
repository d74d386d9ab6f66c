// SPDX-License-Identifier: MIT
// The stored number of days after which files the program moved into the
// trash are deleted for good: an Integer value of the program's key, kept
// beside the window's own settings; no value means never.
#pragma once

#include <optional>
#include <string_view>

#include "settings/reg_files.h"

namespace vorlix {

inline constexpr std::string_view kLetGoDaysValue = "Let Go Of Trashed Files After Days";
inline constexpr int kLetGoDaysMost = 3650;

// The stored days; nothing when unset, or not a whole number from 1 to kLetGoDaysMost.
std::optional<int> ReadLetGoDays(TRegFile& reg_file1);

// Stores the days, or removes the value for nothing.
void WriteLetGoDays(TRegFile& reg_file1, std::optional<int> days);

}  // namespace vorlix
