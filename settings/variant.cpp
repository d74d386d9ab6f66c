// SPDX-License-Identifier: MIT
// The tagged value that settings pass through TRegFile.

#include "settings/variant.h"

#include <bit>

namespace vorlix {

// A Boolean's payload is a 16-bit truth value: all bits set for true.
Variant::Variant(bool value) : kind_(VariantKind::kBoolean), payload_(value ? 0xFFFF : 0) {}

Variant::Variant(std::int32_t value)
    : kind_(VariantKind::kInteger), payload_(static_cast<std::uint32_t>(value)) {}

Variant Variant::Null() { return Variant(VariantKind::kNull, 0); }

Variant Variant::SmallInt(std::int16_t value) {
  return Variant(VariantKind::kSmallInt, static_cast<std::uint16_t>(value));
}

Variant Variant::Single(float value) {
  return Variant(VariantKind::kSingle, std::bit_cast<std::uint32_t>(value));
}

Variant Variant::Double(double value) {
  return Variant(VariantKind::kDouble, std::bit_cast<std::uint64_t>(value));
}

Variant Variant::Currency(std::int64_t ten_thousandths) {
  return Variant(VariantKind::kCurrency, static_cast<std::uint64_t>(ten_thousandths));
}

Variant Variant::Date(double days) {
  return Variant(VariantKind::kDate, std::bit_cast<std::uint64_t>(days));
}

Variant Variant::FromPayload(VariantKind kind, std::uint64_t payload) { return Variant(kind, payload); }

std::int32_t Variant::IntegerValue() const {
  switch (kind_) {
    case VariantKind::kSmallInt:
      return static_cast<std::int16_t>(payload_ & 0xFFFF);
    case VariantKind::kBoolean:
      return (payload_ & 0xFFFF) != 0 ? -1 : 0;
    default:
      return static_cast<std::int32_t>(payload_ & 0xFFFFFFFF);
  }
}

double Variant::FloatValue() const {
  switch (kind_) {
    case VariantKind::kSingle:
      return std::bit_cast<float>(static_cast<std::uint32_t>(payload_ & 0xFFFFFFFF));
    case VariantKind::kCurrency:
      return static_cast<double>(static_cast<std::int64_t>(payload_)) / 10000.0;
    default:
      return std::bit_cast<double>(payload_);
  }
}

}  // namespace vorlix
