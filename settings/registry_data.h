// SPDX-License-Identifier: MIT
// How a Variant is stored as registry data, and how stored data reads back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/variant.h"

namespace vorlix {

struct RegistryData {
  std::uint32_t type = 0;
  std::string bytes;
};

// SmallInt, Integer and Boolean as a 32-bit REG_DWORD; the floating kinds as a
// 16-byte REG_BINARY record; String as REG_SZ with its NUL. Nothing for the
// other kinds, which cannot be stored.
std::optional<RegistryData> EncodeVariant(const Variant& value);

// Data of at least one byte, read back: REG_SZ gives a String (up to the first
// NUL), a 4-byte REG_DWORD an Integer, a 16-byte REG_BINARY the record's value;
// anything else is Empty.
Variant DecodeVariant(std::uint32_t type, std::string_view bytes);

}  // namespace vorlix
