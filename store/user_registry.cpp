// SPDX-License-Identifier: MIT
// The user's settings store, shared by every settings component of the process.

#include "store/user_registry.h"

#include <unistd.h>

#include <memory>

#include "platform/xdg.h"

namespace vorlix::platform {

std::string UserRegistryPath() { return VorlixConfigDir() + "/registry.db"; }

RegistryStore& UserRegistry(RegistryStore::IfMissing if_missing) {
  static std::unique_ptr<RegistryStore> store;
  static pid_t owner = 0;
  const std::string path = UserRegistryPath();
  if (store != nullptr && owner != getpid()) {
    // The parent's connection: closing it here could disturb the parent's locks.
    static_cast<void>(store.release());
  }
  if (store == nullptr || !store->StillAt(path)) {
    store.reset();
    store = std::make_unique<RegistryStore>(path, if_missing);
    owner = getpid();
  }
  return *store;
}

}  // namespace vorlix::platform
