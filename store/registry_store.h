// SPDX-License-Identifier: MIT
// The settings registry: a tree of named keys under six roots, each key holding
// named values of a data type code and a byte string, kept in one SQLite file.
// Calls answer with the status codes of the Windows registry functions, so the
// settings component above behaves the same over this store and over a real
// registry. Key and value names compare without regard to ASCII letter case and
// keep the case they were created with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/status.h"
#include "store/registry_store_error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vorlix::platform {

// Data type codes, with their Windows values. Any other code is stored as given.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

enum class RegistryRoot : std::uint32_t {
  kClassesRoot = 0x80000000,
  kCurrentUser = 0x80000001,
  kLocalMachine = 0x80000002,
  kUsers = 0x80000003,
  kCurrentConfig = 0x80000005,
  kDynData = 0x80000006,
};

// The six roots in store order, and each one's full name ("HKEY_CURRENT_USER").
inline constexpr RegistryRoot kRegistryRoots[] = {
    RegistryRoot::kClassesRoot, RegistryRoot::kCurrentUser,    RegistryRoot::kLocalMachine,
    RegistryRoot::kUsers,       RegistryRoot::kCurrentConfig, RegistryRoot::kDynData,
};
std::string_view RootName(RegistryRoot root);
// A root's place in kRegistryRoots, from 1: the id of its key in the store.
std::int64_t RootId(RegistryRoot root);

// The registry's own limits: a key or value name holds at most 255 characters
// and no control character (below 0x20; a NUL would end it early, a line break
// would break the text form), and a key lies at most 512 levels below its root.
inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;
// What makes `name` unfit for a key or value name ("holds a control character",
// "is longer than 255 characters"); empty when it is fit. Characters are UTF-8
// sequences, counted as one each.
std::string NameProblem(std::string_view name);

// An open key. It stays valid until the transaction it was opened in ends.
struct RegistryKey {
  std::int64_t id = 0;
};

struct RegistryValue {
  std::string name;
  std::uint32_t type = kRegNone;
  std::string data;
};

class RegistryStore {
 public:
  enum class IfMissing { kCreate, kFail, kDefaultsInMissingHome };
  // Opens the store file at `path`; when there is none, creates it (and its
  // folder) complete, so no half-made store is ever seen, or with kFail throws
  // RegistryStoreError and creates nothing. kDefaultsInMissingHome creates it
  // too, except where `path` lies in a home folder that does not exist (a
  // system account's): the store is then an empty one in memory, never saved,
  // so every setting reads as its default and nothing is made there. An
  // existing file is first judged by SQLite over a read-only connection: one
  // that is not an intact store is refused with RegistryStoreError and never
  // written.
  explicit RegistryStore(std::string path, IfMissing if_missing = IfMissing::kCreate);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  const std::string& Path() const { return path_; }
  // Whether `path` still names the file this store has open (for a store in
  // memory: whether it is that path's and its home is still missing). Once it
  // does not, closing the store first writes its log back into the file it
  // has open.
  bool StillAt(const std::string& path) const;

  // One transaction holding the store's write lock: everything between Begin and
  // Commit is seen by other processes all at once or not at all.
  void Begin();
  void Commit();
  void Rollback();

  // Key paths are backslash-separated names below the root; empty names (from
  // leading, trailing or doubled backslashes) are skipped, so an empty path is
  // the root itself. Creating a key or setting a value whose name breaks the
  // limits above answers kInvalidName and changes nothing.
  long OpenKey(RegistryRoot root, std::string_view path, RegistryKey& key);
  // Opens a key below the open key `parent`.
  long OpenSubkey(RegistryKey parent, std::string_view path, RegistryKey& key);
  long CreateKey(RegistryRoot root, std::string_view path, RegistryKey& key);
  long CloseKey(RegistryKey key);
  // The path of an open key below its root, with the letter case it was stored with.
  std::string KeyPath(RegistryKey key);

  // An empty value name is the key's unnamed default value.
  long QueryValueInfo(RegistryKey key, std::string_view name, std::uint32_t& type,
                      std::size_t& size);
  // Reads at most `data.size()` bytes into `data` and shrinks it to the data's
  // size; kMoreData when the data does not fit.
  long QueryValue(RegistryKey key, std::string_view name, std::uint32_t& type, std::string& data);
  long SetValue(RegistryKey key, std::string_view name, std::uint32_t type, std::string_view data);
  long DeleteValue(RegistryKey key, std::string_view name);
  // Deletes a subkey with its values; kAccessDenied when it has subkeys.
  long DeleteKey(RegistryKey key, std::string_view subkey);
  // Deletes a subkey with all its subkeys and values.
  long DeleteTree(RegistryKey key, std::string_view subkey);

  // Ordered by name without regard to case.
  std::vector<std::string> SubkeyNames(RegistryKey key);
  std::vector<RegistryValue> Values(RegistryKey key);

 private:
  class Statement;
  // Opens the connection with SQLITE_OPEN_READONLY or SQLITE_OPEN_READWRITE.
  void Connect(int mode);
  // Opens a new empty store in memory.
  void ConnectInMemory();
  // Refuses a file that is damaged or not a settings store.
  void CheckContents();
  bool HasMoved() const;
  void Close() noexcept;
  sqlite3_stmt* Prepared(const char* sql);
  [[noreturn]] void Fail(std::string_view what);
  // Throws the error for a file that SQLite does not take as a sound store.
  [[noreturn]] void Refuse(std::string_view reason);
  int Step(sqlite3_stmt* statement);
  long WriteStatus(int rc);
  void Exec(const char* sql);
  bool FindChild(std::int64_t parent, std::string_view name, std::int64_t& id);
  // Follows `path` down from the key `id`; false when a name along it is missing.
  bool Descend(std::int64_t& id, std::string_view path);

  std::string path_;
  bool in_memory_ = false;
  sqlite3* db_ = nullptr;
  // Prepared statements by their SQL text: two equal texts share one statement.
  std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace vorlix::platform
