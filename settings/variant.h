// SPDX-License-Identifier: MIT
// The tagged value that settings pass through TRegFile: a kind code and the
// value's bits, laid out as the 8-byte payload of the stored 16-byte record.
#pragma once

#include <cstdint>
#include <string>

namespace vorlix {

// Kind codes, with the numbers that the stored record carries.
enum class VariantKind : std::uint16_t {
  kEmpty = 0,
  kNull = 1,
  kSmallInt = 2,
  kInteger = 3,
  kSingle = 4,
  kDouble = 5,
  kCurrency = 6,
  kDate = 7,
  kBoolean = 11,
  kString = 256,
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool value);
  Variant(std::int32_t value);
  Variant(const char* text) : kind_(VariantKind::kString), text_(text) {}
  Variant(std::string text) : kind_(VariantKind::kString), text_(std::move(text)) {}

  static Variant Null();
  static Variant SmallInt(std::int16_t value);
  static Variant Single(float value);
  static Variant Double(double value);
  // In units of 1/10000, as the stored currency record holds it.
  static Variant Currency(std::int64_t ten_thousandths);
  // Days since 30 December 1899, the fraction being the time of day.
  static Variant Date(double days);
  // A kind that carries its whole value in the 8-byte payload, with that payload.
  static Variant FromPayload(VariantKind kind, std::uint64_t payload);

  VariantKind Kind() const { return kind_; }
  bool IsEmpty() const { return kind_ == VariantKind::kEmpty; }
  bool IsNull() const { return kind_ == VariantKind::kNull; }
  std::uint64_t Payload() const { return payload_; }
  const std::string& Text() const { return text_; }
  // The number of a SmallInt, Integer or Boolean (true is -1).
  std::int32_t IntegerValue() const;
  // The number of a Single, Double, Date or Currency.
  double FloatValue() const;

  bool operator==(const Variant&) const = default;

 private:
  Variant(VariantKind kind, std::uint64_t payload) : kind_(kind), payload_(payload) {}

  VariantKind kind_ = VariantKind::kEmpty;
  std::uint64_t payload_ = 0;
  std::string text_;
};

}  // namespace vorlix
