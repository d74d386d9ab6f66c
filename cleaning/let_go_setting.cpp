// SPDX-License-Identifier: MIT
// The stored number of days after which trashed files are let go.

#include "cleaning/let_go_setting.h"

#include <string>

namespace vorlix {

std::optional<int> ReadLetGoDays(TRegFile& reg_file1) {
  const Variant value = reg_file1.ReadValue(std::string(kLetGoDaysValue));
  if (value.Kind() != VariantKind::kInteger && value.Kind() != VariantKind::kSmallInt) return std::nullopt;
  const int days = value.IntegerValue();
  if (days < 1 || days > kLetGoDaysMost) return std::nullopt;
  return days;
}

void WriteLetGoDays(TRegFile& reg_file1, std::optional<int> days) {
  const std::string name(kLetGoDaysValue);
  if (days) {
    reg_file1.WriteValue(name, static_cast<std::int32_t>(*days));
  } else if (reg_file1.ValueExists("", name)) {
    reg_file1.DeleteValue("", name);
  }
}

}  // namespace vorlix
