// SPDX-License-Identifier: MIT
// The program's multi-line message texts.

#include "support/message_text.h"

#include "settings/settings_catalogue.h"

namespace vorlix {

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) text += kLineBreak;
    text += line;
    first = false;
  }
  return text;
}

}  // namespace vorlix
