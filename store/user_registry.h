// SPDX-License-Identifier: MIT
// The user's settings store, shared by every settings component of the process.
#pragma once

#include <string>

#include "store/registry_store.h"

namespace vorlix::platform {

// VorlixConfigDir()/registry.db.
std::string UserRegistryPath();

// The store at UserRegistryPath(), opened (or created) on first use and kept
// open. It is opened again when that path changes or names another file (the
// user removed or replaced it), and in a child process after fork, which must
// not use its parent's connection. With kFail a missing store is an error and
// nothing is created; with kDefaultsInMissingHome a store in a home folder
// that does not exist is one of defaults in memory. Throws RegistryStoreError.
RegistryStore& UserRegistry(RegistryStore::IfMissing if_missing = RegistryStore::IfMissing::kCreate);

}  // namespace vorlix::platform
