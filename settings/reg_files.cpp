// SPDX-License-Identifier: MIT
// TRegFile: the settings component over the user's settings store.

#include "settings/reg_files.h"

#include <cstdio>

#include "settings/registry_data.h"
#include "store/user_registry.h"

namespace vorlix {
namespace {

platform::RegistryRoot RootOf(TRootKey root) {
  return platform::kRegistryRoots[static_cast<std::size_t>(root)];
}

}  // namespace

// Runs one operation. A store failure becomes ERegFileError, and a key left
// open by any failure is closed (its transaction ends) before the error leaves.
template <class Body>
auto TRegFile::InOperation(Body body) -> decltype(body()) {
  try {
    try {
      return body();
    } catch (const platform::RegistryStoreError& error) {
      throw ERegFileError(error.what());
    }
  } catch (...) {
    CloseKeyAfterFailure();
    throw;
  }
}

void TRegFile::CloseKeyAfterFailure() noexcept {
  try {
    CloseKey();
  } catch (...) {
    // The first failure is the one to report; the key is closed either way.
    CurrentKey.reset();
  }
  // A failure inside OpenKey leaves no key open, but may leave its transaction,
  // and with it the store's write lock, held.
  if (store_ != nullptr) store_->Rollback();
}

platform::RegistryStore& TRegFile::Store() {
  try {
    // Without a home folder the settings are the defaults, and nothing is made there.
    return platform::UserRegistry(platform::RegistryStore::IfMissing::kDefaultsInMissingHome);
  } catch (const platform::RegistryStoreError& error) {
    throw ERegFileError(error.what());
  }
}

void TRegFile::CheckResult(long status) {
  if (status == platform::kOk) return;
  char message[32];
  std::snprintf(message, sizeof message, "Reg Error: %8.8lX", static_cast<unsigned long>(status));
  throw ERegFileError(message);
}

std::string TRegFile::FullKeyPath(const std::string& subkey) const {
  std::string path = Key;
  if (!subkey.empty()) {
    if (!path.empty()) path += '\\';
    path += subkey;
  }
  return path;
}

std::string TRegFile::SplitValuePath(std::string& name) {
  std::ptrdiff_t i = static_cast<std::ptrdiff_t>(name.size()) - 1;
  while (i >= 0) {
    if (name[i] == '\\') {
      if (i == 0 || name[i - 1] != '\\') break;
      i -= 2;  // a doubled backslash belongs to the name
    } else {
      --i;
    }
  }
  if (i < 0) return {};
  std::string key_part = name.substr(0, i);
  name.erase(0, i + 1);
  if (key_part.empty() || key_part.front() != '\\') key_part.insert(0, 1, '\\');
  return key_part;
}

bool TRegFile::OpenKey(const std::string& path, bool open_only) {
  store_ = nullptr;  // the store of an earlier operation may be gone
  platform::RegistryStore& store = Store();
  store_ = &store;
  store.Begin();
  platform::RegistryKey key;
  if (open_only || path.empty() || RootKey == TRootKey::hkDynData) {
    if (store.OpenKey(RootOf(RootKey), path, key) != platform::kOk) {
      store.Commit();
      if (open_only) return false;
      throw ERegFileError("Can't open a Key");
    }
  } else if (const long status = store.CreateKey(RootOf(RootKey), path, key);
             status != platform::kOk) {
    store.Rollback();
    CheckResult(status);
  }
  CurrentKey = key;
  return true;
}

void TRegFile::CloseKey() {
  if (!CurrentKey) return;
  const platform::RegistryKey key = *CurrentKey;
  CurrentKey.reset();
  const long status = store_->CloseKey(key);
  store_->Commit();
  CheckResult(status);
}

long TRegFile::GetDataSize(const std::string& value_name, std::uint32_t& type) {
  std::size_t size = 0;
  if (store_->QueryValueInfo(*CurrentKey, value_name, type, size) != platform::kOk) return -1;
  return static_cast<long>(size);
}

std::uint32_t TRegFile::GetData(const std::string& value_name, std::string& buffer) {
  std::uint32_t type = platform::kRegNone;
  CheckResult(store_->QueryValue(*CurrentKey, value_name, type, buffer));
  return type;
}

void TRegFile::PutData(const std::string& value_name, std::string_view data, std::uint32_t type) {
  CheckResult(store_->SetValue(*CurrentKey, value_name, type, data));
}

Variant TRegFile::ReadValue(const std::string& value_name) {
  return InOperation([&] {
    std::string name = value_name;
    OpenKey(Key + SplitValuePath(name), false);
    Variant result = Variant::Null();
    std::uint32_t type = platform::kRegNone;
    const long size = GetDataSize(name, type);
    if (size > 0) {
      std::string buffer(static_cast<std::size_t>(size), '\0');
      type = GetData(name, buffer);
      result = DecodeVariant(type, buffer);
    }
    CloseKey();
    return result;
  });
}

Variant TRegFile::ReadValueDef(const std::string& value_name, const Variant& default_value) {
  Variant result = ReadValue(value_name);
  return result.IsNull() ? default_value : result;
}

void TRegFile::WriteValue(const std::string& value_name, const Variant& value) {
  InOperation([&] {
    std::string name = value_name;
    OpenKey(Key + SplitValuePath(name), false);
    const std::optional<RegistryData> data = EncodeVariant(value);
    if (!data) throw ERegFileError("Invalid variant type");
    PutData(name, data->bytes, data->type);
    CloseKey();
  });
}

bool TRegFile::ValueExists(const std::string& subkey, const std::string& value_name) {
  return InOperation([&] {
    if (!OpenKey(FullKeyPath(subkey), true)) return false;
    std::uint32_t type = platform::kRegNone;
    const bool exists = GetDataSize(value_name, type) >= 0;
    CloseKey();
    return exists;
  });
}

void TRegFile::DeleteValue(const std::string& subkey, const std::string& value_name) {
  InOperation([&] {
    std::string name = value_name;
    if (!OpenKey(FullKeyPath(subkey) + SplitValuePath(name), true)) return;
    CheckResult(store_->DeleteValue(*CurrentKey, name));
    CloseKey();
  });
}

bool TRegFile::KeyExists(const std::string& subkey) {
  return InOperation([&] {
    const bool exists = OpenKey(FullKeyPath(subkey), true);
    if (exists) CloseKey();
    return exists;
  });
}

void TRegFile::DeleteKey(const std::string& subkey) {
  InOperation([&] {
    if (!OpenKey(Key, true)) return;
    CheckResult(store_->DeleteKey(*CurrentKey, subkey));
    CloseKey();
  });
}

}  // namespace vorlix
