// SPDX-License-Identifier: MIT
// Registry data as text: type names, data shown by query, data given to set,
// and the hex byte lists of .reg files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlix::reg_tool {

// `text` with control characters escaped (\n, \r, \t, \xNN), so that it
// stays on one line.
std::string EscapedText(std::string_view text);
// `text` as a message quotes it: escaped, and cut to a readable length.
std::string ShownText(std::string_view text);

// "REG_SZ", "REG_DWORD", ...; "0x1A" for a code without a name.
std::string TypeName(std::uint32_t type);

// Data as query shows it: texts up to their NUL with control characters
// escaped (\n, \r, \t, \xNN), a 4-byte REG_DWORD as 0x hex, anything else as hex bytes.
std::string DisplayData(std::uint32_t type, std::string_view data);

// The stored bytes for `set KEY NAME TYPE DATA`; throws ToolError.
struct TypedData {
  std::uint32_t type;
  std::string bytes;
};
TypedData ParseSetData(std::string_view type_name, std::string_view text);

// A number of 1 to 8 hex digits; nothing when malformed.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits);
// The four little-endian bytes of a REG_DWORD, and back.
std::string DwordBytes(std::uint32_t value);
std::uint32_t DwordValue(std::string_view bytes);
// Bytes as two-digit hex numbers separated by commas (blanks allowed around
// them); nothing when malformed.
std::optional<std::string> ParseHexList(std::string_view text);
// "01,a0,ff".
std::string FormatHexList(std::string_view bytes);

}  // namespace vorlix::reg_tool
