// SPDX-License-Identifier: MIT
// How a read result is taken as a flag or a text, and the read and write of one setting through a
// TRegFile in those terms.

#include "settings/setting_values.h"

#include <charconv>
#include <cmath>

#include "platform/ascii.h"

namespace vorlix {
namespace {

bool TextToFlag(const std::string& text) {
  const std::string_view trimmed = platform::TrimBlanks(text);
  if (platform::EqualIgnoringAsciiCase(trimmed, "true")) return true;
  if (platform::EqualIgnoringAsciiCase(trimmed, "false")) return false;
  double number = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
  if (error != std::errc() || end != trimmed.data() + trimmed.size() || trimmed.empty()) {
    throw EVariantConversionError("Could not convert the text \"" + text + "\" into a flag");
  }
  return number != 0;
}

}  // namespace

bool VariantToFlag(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::kEmpty:
    case VariantKind::kNull:
      return false;
    case VariantKind::kSmallInt:
    case VariantKind::kInteger:
    case VariantKind::kBoolean:
      return value.IntegerValue() != 0;
    case VariantKind::kString:
      return TextToFlag(value.Text());
    default:
      return value.FloatValue() != 0;
  }
}

std::string VariantToText(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::kEmpty:
    case VariantKind::kNull:
      return {};
    case VariantKind::kString:
      return value.Text();
    case VariantKind::kBoolean:
      return value.IntegerValue() != 0 ? "True" : "False";
    case VariantKind::kSmallInt:
    case VariantKind::kInteger:
      return std::to_string(value.IntegerValue());
    default: {
      char text[32];
      const auto result = std::to_chars(text, text + sizeof text, value.FloatValue());
      return std::string(text, result.ptr);
    }
  }
}

bool ReadFlag(TRegFile& reg_file, const std::string& value_name) {
  return VariantToFlag(reg_file.ReadValueDef(value_name, false));
}

std::string ReadText(TRegFile& reg_file, const std::string& value_name, std::string_view default_text) {
  return VariantToText(reg_file.ReadValueDef(value_name, std::string(default_text)));
}

}  // namespace vorlix
