// SPDX-License-Identifier: MIT
// The settings store's file on disk: making a new one whole, what may stand at
// its path, and the messages about it.
#pragma once

#include <string>
#include <string_view>

namespace vorlix::platform {

// Stamped into every store file, so that another program's database is refused.
inline constexpr int kStoreApplicationId = 0x566F726C;
inline constexpr int kStoreSchemaVersion = 1;

// The SQL that makes an empty database a complete, empty store.
std::string NewStoreSql();

// Whether a file stands at `path`: false when nothing does; throws
// RegistryStoreError naming the path when it cannot be looked at, is not a
// regular file (a FIFO or device would block or mislead an open) or is empty
// (no store ever is). Opens nothing.
bool StoreFileExists(const std::string& path);

// Creates the folder and a complete, empty store at `path`: the store is built
// in a temporary file beside it and linked into place, so a crash or a second
// process never sees half a store. Another process winning the race is fine.
// SQLite's log files left beside the missing store are never replayed into the
// new one: an empty log and the index file are removed, and a log that holds
// data is moved aside (renamed, never deleted) and RegistryStoreError says
// where, without creating the store; the next call creates it. Creators take a
// lock on the folder, so one of them never moves aside another's live log.
// Nothing is made inside a home folder that does not exist. Throws
// RegistryStoreError naming the file or folder on failure.
void CreateStoreFile(const std::string& path);

// The message for a store file that is damaged or foreign.
std::string DamagedStoreMessage(const std::string& path, std::string_view reason);
// Whether the folder holding `path` may be written.
bool StoreFolderWritable(const std::string& path);
// The message for a store that cannot be opened because its folder may not be written.
std::string UnwritableFolderMessage(const std::string& path, std::string_view reason);

}  // namespace vorlix::platform
