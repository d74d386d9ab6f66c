// SPDX-License-Identifier: MIT
// The settings store's one error: its file cannot be created, opened, read or
// written, or is damaged. The store and the code that makes its file both throw it.
#pragma once

#include <stdexcept>

namespace vorlix::platform {

class RegistryStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vorlix::platform
