// SPDX-License-Identifier: MIT
// A small JSON reader, so that tests look at a program's JSON output by its
// structure rather than by pieces of its text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorlix::test {

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  std::string text;                // a string's bytes, or a number as written
  std::vector<JsonValue> items;    // an array's items, or an object's values
  std::vector<std::string> names;  // an object's names, one for each value

  bool IsNull() const { return kind == Kind::kNull; }
  // An object's member; a null value when there is none.
  const JsonValue& operator[](const std::string& name) const;
  // An array's item; a null value past its end.
  const JsonValue& operator[](std::size_t index) const;
  // A number as a whole number; throws when the value is no whole number.
  long long Number() const;
};

// One JSON value filling the whole text (white space around it allowed);
// nothing when the text is no valid JSON. Escapes of UTF-16 surrogates, which
// nothing here writes, are refused.
std::optional<JsonValue> ParseJson(const std::string& text);

}  // namespace vorlix::test
