// SPDX-License-Identifier: MIT
// How a Variant is stored as registry data, and how stored data reads back.

#include "settings/registry_data.h"

#include "store/registry_store.h"

namespace vorlix {
namespace {

constexpr std::size_t kRecordSize = 16;
constexpr std::size_t kPayloadOffset = 8;

void AppendLittleEndian(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t ReadLittleEndian(std::string_view in, std::size_t offset, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(in[offset + i]);
  }
  return value;
}

// The record kinds whose whole value lies in the payload. A record claiming any
// other kind (a text, a reference) holds nothing usable and reads as Empty.
bool IsPayloadKind(std::uint64_t kind) {
  switch (static_cast<VariantKind>(kind)) {
    case VariantKind::kEmpty:
    case VariantKind::kNull:
    case VariantKind::kSmallInt:
    case VariantKind::kInteger:
    case VariantKind::kSingle:
    case VariantKind::kDouble:
    case VariantKind::kCurrency:
    case VariantKind::kDate:
    case VariantKind::kBoolean:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<RegistryData> EncodeVariant(const Variant& value) {
  RegistryData data;
  switch (value.Kind()) {
    case VariantKind::kSmallInt:
    case VariantKind::kInteger:
    case VariantKind::kBoolean:
      data.type = platform::kRegDword;
      AppendLittleEndian(data.bytes, static_cast<std::uint32_t>(value.IntegerValue()), 4);
      return data;
    case VariantKind::kSingle:
    case VariantKind::kDouble:
    case VariantKind::kCurrency:
    case VariantKind::kDate:
      // Kind code, three reserved words, payload.
      data.type = platform::kRegBinary;
      AppendLittleEndian(data.bytes, static_cast<std::uint16_t>(value.Kind()), 2);
      AppendLittleEndian(data.bytes, 0, 6);
      AppendLittleEndian(data.bytes, value.Payload(), 8);
      return data;
    case VariantKind::kString:
      data.type = platform::kRegSz;
      data.bytes = value.Text();
      data.bytes.push_back('\0');
      return data;
    default:
      return std::nullopt;
  }
}

Variant DecodeVariant(std::uint32_t type, std::string_view bytes) {
  if (type == platform::kRegSz) return Variant(std::string(bytes.substr(0, bytes.find('\0'))));
  if (type == platform::kRegDword && bytes.size() == 4) {
    return Variant(static_cast<std::int32_t>(ReadLittleEndian(bytes, 0, 4)));
  }
  if (type == platform::kRegBinary && bytes.size() == kRecordSize) {
    const std::uint64_t kind = ReadLittleEndian(bytes, 0, 2);
    if (IsPayloadKind(kind)) {
      return Variant::FromPayload(static_cast<VariantKind>(kind),
                                  ReadLittleEndian(bytes, kPayloadOffset, 8));
    }
  }
  return Variant();
}

}  // namespace vorlix
