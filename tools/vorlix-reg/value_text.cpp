// SPDX-License-Identifier: MIT
// Registry data as text.

#include "tools/vorlix-reg/value_text.h"

#include <charconv>
#include <cstdio>

#include "platform/ascii.h"
#include "store/registry_store.h"
#include "support/text_utils.h"
#include "tools/vorlix-reg/key_names.h"

namespace vorlix::reg_tool {
namespace {

constexpr std::string_view kTypeNames[] = {
    "REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
    "REG_LINK", "REG_MULTI_SZ", "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD",
};

// How many characters of a text a message quotes.
constexpr std::size_t kShownLength = 100;

}  // namespace

std::string EscapedText(std::string_view text) {
  std::string shown;
  // The three common controls by their short names, as a script writes them.
  for (const char c : text) {
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else {
      shown += PrintableText(std::string_view(&c, 1));
    }
  }
  return shown;
}

std::string ShownText(std::string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string piece = EscapedText(text.substr(i, 1));
    if (shown.size() + piece.size() > kShownLength) {
      // Never end inside a UTF-8 sequence.
      while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80)
        shown.pop_back();
      if (!shown.empty() && static_cast<unsigned char>(shown.back()) >= 0xC0) shown.pop_back();
      return shown + "...";
    }
    shown += piece;
  }
  return shown;
}

namespace {

// A DWORD from decimal (-2147483648 to 4294967295) or 0x hex; nothing when malformed.
std::optional<std::uint32_t> ParseDwordText(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHexNumber(text.substr(2));
  }
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      number < INT32_MIN || number > UINT32_MAX) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(number);
}

}  // namespace

std::string TypeName(std::uint32_t type) {
  if (type < std::size(kTypeNames)) return std::string(kTypeNames[type]);
  char name[16];
  std::snprintf(name, sizeof name, "0x%X", type);
  return name;
}

std::string DisplayData(std::uint32_t type, std::string_view data) {
  if (type == platform::kRegSz || type == platform::kRegExpandSz)
    return EscapedText(data.substr(0, data.find('\0')));
  if (type == platform::kRegDword && data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%x", DwordValue(data));
    return number;
  }
  std::string hex;
  for (const char c : data) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
    hex += pair;
  }
  return hex;
}

TypedData ParseSetData(std::string_view type_name, std::string_view text) {
  if (platform::EqualIgnoringAsciiCase(type_name, "REG_SZ")) {
    return {platform::kRegSz, std::string(text) + '\0'};
  }
  if (platform::EqualIgnoringAsciiCase(type_name, "REG_DWORD")) {
    const std::optional<std::uint32_t> number = ParseDwordText(text);
    if (!number) {
      throw ToolError("\"" + ShownText(text) +
                      "\" is not a REG_DWORD number (write it in decimal or as 0x hex)");
    }
    return {platform::kRegDword, DwordBytes(*number)};
  }
  if (platform::EqualIgnoringAsciiCase(type_name, "REG_BINARY")) {
    std::string list(text);
    // Also accept bytes separated by blanks, or written together ("01ff").
    for (char& c : list) {
      if (c == ' ') c = ',';
    }
    if (list.find(',') == std::string::npos && list.size() > 2 && list.size() % 2 == 0) {
      std::string separated;
      for (std::size_t i = 0; i < list.size(); i += 2) {
        if (i > 0) separated += ',';
        separated.append(list, i, 2);
      }
      list = std::move(separated);
    }
    const std::optional<std::string> bytes = ParseHexList(list);
    if (!bytes) throw ToolError("\"" + ShownText(text) + "\" is not a list of hex bytes");
    return {platform::kRegBinary, *bytes};
  }
  throw ToolError("unknown type \"" + ShownText(type_name) + "\" (use REG_SZ, REG_DWORD or REG_BINARY)");
}

std::uint32_t DwordValue(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::string DwordBytes(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return bytes;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view digits) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.empty() || digits.size() > 8 || error != std::errc() ||
      end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> ParseHexList(std::string_view text) {
  std::string bytes;
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return bytes;
  text.remove_prefix(first);
  while (true) {
    const std::size_t comma = std::min(text.find(','), text.size());
    std::string_view item = text.substr(0, comma);
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value, 16);
    if (item.empty() || item.size() > 2 || error != std::errc() || end != item.data() + item.size()) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(value));
    if (comma == text.size()) return bytes;
    text.remove_prefix(comma + 1);
  }
}

std::string FormatHexList(std::string_view bytes) {
  std::string list;
  for (const char c : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%s%02x", list.empty() ? "" : ",", static_cast<unsigned char>(c));
    list += pair;
  }
  return list;
}

}  // namespace vorlix::reg_tool
