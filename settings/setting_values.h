// SPDX-License-Identifier: MIT
// How a read result is taken as a flag or a text, and the read and write of
// one setting through a TRegFile in those terms.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/reg_files.h"
#include "settings/variant.h"

namespace vorlix {

// A stored value that cannot be taken as the kind asked for.
class EVariantConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True for Boolean true and any non-zero number; false for zero, Empty and
// Null. A text counts as the number it spells, or as "true" / "false" in any
// letter case; any other text throws EVariantConversionError.
bool VariantToFlag(const Variant& value);

// A String as it is; Empty and Null give the empty text; a number its decimal
// text; a Boolean "True" or "False".
std::string VariantToText(const Variant& value);

// A flag read with the default false, and a text read with its default.
bool ReadFlag(TRegFile& reg_file, const std::string& value_name);
std::string ReadText(TRegFile& reg_file, const std::string& value_name, std::string_view default_text);

}  // namespace vorlix
