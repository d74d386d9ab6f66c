// SPDX-License-Identifier: MIT
// Small text routines for paths and numbers.

#include "support/text_utils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "platform/drive_paths.h"

namespace vorlix {

std::string AppendPathDelimiter(const std::string& path) { return platform::JoinDosPath(path, ""); }

std::string StripLeadingBlanks(const std::string& text) {
  const auto first = std::find_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 32; });
  return std::string(first, text.end());
}

std::string FormatNumberMask(const std::string& mask, long double number) {
  std::string stars = mask;
  std::replace(stars.begin(), stars.end(), '#', '*');
  if (!std::isfinite(number)) return stars;
  const long double rounded = std::round(number);
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.0Lf", std::fabs(rounded));
  std::size_t left = std::strlen(digits);  // digits still to place, taken from the right
  std::string result = mask;
  std::size_t leftmost = result.size();
  for (std::size_t i = result.size(); i-- > 0;) {
    if (result[i] == '#') {
      result[i] = left > 0 ? digits[--left] : ' ';
      if (result[i] != ' ') leftmost = i;
    } else if (result[i] == ',') {
      result[i] = left > 0 ? ',' : ' ';
    }
  }
  if (left > 0) return stars;
  if (rounded < 0) {
    // The sign takes the place just left of the digits, if the mask has one there.
    if (leftmost == 0 || (mask[leftmost - 1] != '#' && mask[leftmost - 1] != ',')) return stars;
    result[leftmost - 1] = '-';
  }
  return result;
}

std::string Counted(std::uint64_t count, std::string_view noun) {
  std::string text = GroupedCount(count) + ' ';
  text.append(noun);
  if (count != 1) text += 's';
  return text;
}

std::string GroupedCount(std::uint64_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes == 1) return "1 byte";
  if (bytes < 1000) return std::to_string(bytes) + " bytes";
  static constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
  // The largest unit the size reaches, with one decimal.
  std::size_t unit = 0;
  long double factor = 1000.0L;
  while (unit + 1 < std::size(kUnits) && static_cast<long double>(bytes) >= factor * 1000.0L) {
    factor *= 1000.0L;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1Lf %s", static_cast<long double>(bytes) / factor, kUnits[unit]);
  return text;
}

std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned int low = 0x80;
  unsigned int high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

std::string PrintableText(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      line += escaped;
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace vorlix
