// SPDX-License-Identifier: MIT
// TRegFile: the one door to persistent settings. Each instance is bound to a
// root key and a key path; every operation opens the key it needs, does one
// thing and closes it again, as one transaction of the settings store, so an
// instance holds nothing open between calls and caches nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/variant.h"
#include "store/registry_store.h"

namespace vorlix {

enum class TRootKey : std::uint8_t {
  hkClassesRoot,
  hkCurrentUser,
  hkLocalMachine,
  hkUsers,
  hkCurrentConfig,
  hkDynData,
};

// A failure of the settings store: a non-zero status ("Reg Error: 00000002"),
// a key that cannot be opened, a value that cannot be stored, or a store file
// that cannot be used (the message then names the file).
class ERegFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TRegFile {
 public:
  TRegFile() = default;
  virtual ~TRegFile() = default;
  TRegFile(const TRegFile&) = delete;
  TRegFile& operator=(const TRegFile&) = delete;

  TRootKey RootKey = TRootKey::hkCurrentUser;
  // Backslash-separated key path below the root, without a leading backslash.
  std::string Key;

  // A value name may begin with a subkey path: "Sub\Name" reads Name below Key\Sub.
  // A missing key is created. Null when the value is missing or has no data.
  Variant ReadValue(const std::string& value_name);
  // As ReadValue, with `default_value` in place of Null. An Empty result (data
  // of a type that does not map onto a kind) stays Empty.
  Variant ReadValueDef(const std::string& value_name, const Variant& default_value);
  // Throws "Invalid variant type" for a kind that cannot be stored.
  void WriteValue(const std::string& value_name, const Variant& value);
  // The value name is taken whole here, never split.
  bool ValueExists(const std::string& subkey, const std::string& value_name);
  // Nothing happens when the key is missing; a missing value throws status 2.
  void DeleteValue(const std::string& subkey, const std::string& value_name);
  bool KeyExists(const std::string& subkey);
  // Deletes a subkey of Key with its values; nothing happens when Key is missing.
  void DeleteKey(const std::string& subkey);

  // Takes the subkey path off the front of `name`, leaving the value name, and
  // returns it with a leading backslash (empty when there is none). The
  // separator is the last backslash not doubled; doubled ones stay in the name.
  static std::string SplitValuePath(std::string& name);
  // Key, then a backslash and `subkey` when `subkey` is not empty.
  std::string FullKeyPath(const std::string& subkey) const;
  // Throws "Reg Error: %8.8X" for a non-zero status.
  static void CheckResult(long status);

 protected:
  // Opens the key into CurrentKey. Open-only mode never creates and returns
  // false when the key cannot be opened; otherwise a missing key is created,
  // except for an empty path or the hkDynData root, which throw "Can't open a Key".
  virtual bool OpenKey(const std::string& path, bool open_only);
  virtual void CloseKey();

  // The data size of a value of CurrentKey and its type; -1 when it is missing.
  long GetDataSize(const std::string& value_name, std::uint32_t& type);
  // Reads the value into `buffer` (sized for it) and returns its type.
  std::uint32_t GetData(const std::string& value_name, std::string& buffer);
  void PutData(const std::string& value_name, std::string_view data, std::uint32_t type);

 private:
  template <class Body>
  auto InOperation(Body body) -> decltype(body());
  void CloseKeyAfterFailure() noexcept;
  platform::RegistryStore& Store();

  std::optional<platform::RegistryKey> CurrentKey;
  platform::RegistryStore* store_ = nullptr;  // the store of the operation under way
};

}  // namespace vorlix
