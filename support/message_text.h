// SPDX-License-Identifier: MIT
// The program's multi-line message texts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vorlix {

// Lines joined by the program's line break (LF CR), none after the last.
std::string JoinLines(std::initializer_list<std::string_view> lines);

}  // namespace vorlix
