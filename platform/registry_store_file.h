// SPDX-License-Identifier: MIT
// The settings store's file on disk: making a new one whole, and checking an
// existing one by reading alone before SQLite may touch it.
#pragma once

#include <string>
#include <string_view>

namespace vorlix::platform {

// Stamped into every store file, so that another program's database is refused.
inline constexpr int kStoreApplicationId = 0x566F726C;
inline constexpr int kStoreSchemaVersion = 1;

// Creates the folder and a complete, empty store at `path`: the store is built
// in a temporary file beside it and linked into place, so a crash or a second
// process never sees half a store. Another process winning the race is fine.
// Throws RegistryStoreError naming the file or folder on failure.
void CreateStoreFile(const std::string& path);

// Throws RegistryStoreError when the file at `path` cannot be read, or is not a
// whole SQLite database (empty, foreign, truncated). Reads only.
void CheckStoreFileHeader(const std::string& path);

// The message for a store file that is damaged or foreign.
std::string DamagedStoreMessage(const std::string& path, std::string_view reason);

}  // namespace vorlix::platform
