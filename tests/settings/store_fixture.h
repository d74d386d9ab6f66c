// SPDX-License-Identifier: MIT
// Tests on a real settings store: each test gets a configuration folder, and
// so a store, of its own; raw data is planted and inspected below TRegFile.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>

#include "settings/variant.h"
#include "store/registry_store.h"
#include "store/user_registry.h"
#include "tests/common/test_env.h"

namespace vorlix {

inline void PrintTo(const Variant& value, std::ostream* out) {
  *out << "kind " << static_cast<int>(value.Kind()) << " payload " << value.Payload() << " text \""
       << value.Text() << '"';
}

}  // namespace vorlix

namespace vorlix::test {

struct RawValue {
  std::uint32_t type = 0;
  std::string data;
  bool operator==(const RawValue&) const = default;
};

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { UseConfigFolder(MakeTempDir("config")); }

  void UseConfigFolder(const std::string& folder) {
    config_ = folder;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  }
  std::string StorePath() const { return config_ + "/vorlix/registry.db"; }

  // Stores a value as another program might, creating the key.
  static void Plant(platform::RegistryRoot root, const std::string& key, const std::string& name,
                    std::uint32_t type, const std::string& data) {
    platform::RegistryStore& store = platform::UserRegistry();
    store.Begin();
    platform::RegistryKey handle;
    ASSERT_EQ(store.CreateKey(root, key, handle), platform::kOk);
    ASSERT_EQ(store.SetValue(handle, name, type, data), platform::kOk);
    store.Commit();
  }

  // The stored type and bytes; type 0xFFFFFFFF when the key or value is missing.
  static RawValue Raw(platform::RegistryRoot root, const std::string& key, const std::string& name) {
    platform::RegistryStore& store = platform::UserRegistry();
    RawValue raw{0xFFFFFFFF, std::string(1 << 16, '\0')};
    platform::RegistryKey handle;
    if (store.OpenKey(root, key, handle) != platform::kOk ||
        store.QueryValue(handle, name, raw.type, raw.data) != platform::kOk) {
      return {0xFFFFFFFF, {}};
    }
    return raw;
  }

  std::string config_;
};

}  // namespace vorlix::test
