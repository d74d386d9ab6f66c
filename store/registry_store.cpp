// SPDX-License-Identifier: MIT
// The settings registry.

#include "store/registry_store.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/xdg.h"
#include "store/registry_statement.h"
#include "store/registry_store_file.h"

namespace vorlix::platform {
namespace {

// How long an operation waits for another process's write to finish.
constexpr int kBusyTimeoutMs = 10000;

// Calls `each` with every non-empty backslash-separated name of `path`.
template <class Each>
bool ForEachName(std::string_view path, Each each) {
  while (!path.empty()) {
    const std::size_t end = std::min(path.find('\\'), path.size());
    if (end > 0 && !each(path.substr(0, end))) return false;
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return true;
}

}  // namespace

RegistryStore::RegistryStore(std::string path, IfMissing if_missing) : path_(std::move(path)) {
  if (!StoreFileExists(path_)) {
    if (if_missing == IfMissing::kFail) {
      throw RegistryStoreError("the settings store " + path_ + " does not exist");
    }
    if (if_missing == IfMissing::kDefaultsInMissingHome && InsideMissingHome(path_)) {
      ConnectInMemory();
      return;
    }
    CreateStoreFile(path_);
  }
  try {
    // SQLite judges the file first over a connection that cannot write to it,
    // so a damaged or foreign file is never changed; only then is it opened
    // for writing.
    Connect(SQLITE_OPEN_READONLY);
    CheckContents();
    Close();
    Connect(SQLITE_OPEN_READWRITE);
    // Every commit reaches the disk before it is reported done.
    Exec("PRAGMA synchronous = FULL");
  } catch (...) {
    Close();
    throw;
  }
}

void RegistryStore::Connect(int mode) {
  // Never SQLITE_OPEN_CREATE: a file that vanished meanwhile is an error, not a new store.
  if (sqlite3_open_v2(path_.c_str(), &db_, mode | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
    Fail("cannot open");
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  // A connection that may not write never writes the log back into the file either.
  if ((mode & SQLITE_OPEN_READONLY) != 0)
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

void RegistryStore::ConnectInMemory() {
  in_memory_ = true;
  if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
          SQLITE_OK ||
      sqlite3_exec(db_, NewStoreSql().c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    Close();
    throw RegistryStoreError("cannot make the settings of " + path_ + " in memory: " + message);
  }
}

void RegistryStore::CheckContents() {
  Statement id(*this, "PRAGMA application_id");
  Statement version(*this, "PRAGMA user_version");
  if (!id.Next() || id.Int(0) != kStoreApplicationId || !version.Next() ||
      version.Int(0) != kStoreSchemaVersion) {
    Refuse("not a Vorlix settings database");
  }
  Statement check(*this, "PRAGMA quick_check");
  if (!check.Next() || check.Text(0) != "ok") {
    Refuse("quick check: " + std::string(check.Text(0)));
  }
}

bool RegistryStore::HasMoved() const {
  int moved = 0;
  return db_ != nullptr &&
         sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved != 0;
}

void RegistryStore::Close() noexcept {
  if (db_ == nullptr) return;
  if (sqlite3_db_readonly(db_, "main") == 0 && HasMoved()) {
    // SQLite does not write the log back into a file that was moved or removed
    // while open: do it here, so the moved file holds every committed value
    // and the log left at the old name is empty.
    sqlite3_wal_checkpoint_v2(db_, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  }
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  statements_.clear();
  sqlite3_close(db_);
  db_ = nullptr;
}

RegistryStore::~RegistryStore() { Close(); }

bool RegistryStore::StillAt(const std::string& path) const {
  if (in_memory_) return path == path_ && InsideMissingHome(path_);
  return path == path_ && !HasMoved();
}

void RegistryStore::Fail(std::string_view what) {
  const int code = db_ != nullptr ? sqlite3_extended_errcode(db_) : SQLITE_CANTOPEN;
  const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
  switch (code & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      Refuse(message);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      throw RegistryStoreError("the settings store " + path_ +
                               " stayed locked by another program: " + message);
    default:
      if (!StoreFolderWritable(path_)) throw RegistryStoreError(UnwritableFolderMessage(path_, message));
      throw RegistryStoreError(std::string(what) + " the settings store " + path_ + ": " + message);
  }
}

void RegistryStore::Refuse(std::string_view reason) {
  // SQLite keeps its log files beside the store, even for reading; where it
  // cannot make them, a sound store in WAL mode reads as empty or damaged.
  if (!StoreFolderWritable(path_)) throw RegistryStoreError(UnwritableFolderMessage(path_, reason));
  throw RegistryStoreError(DamagedStoreMessage(path_, reason));
}

sqlite3_stmt* RegistryStore::Prepared(const char* sql) {
  auto [it, added] = statements_.try_emplace(sql, nullptr);
  if (added && sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &it->second, nullptr) !=
                   SQLITE_OK) {
    statements_.erase(it);
    Fail("cannot read");
  }
  return it->second;
}

int RegistryStore::Step(sqlite3_stmt* statement) {
  const int rc = sqlite3_step(statement);
  if (rc == SQLITE_ROW || rc == SQLITE_DONE || (rc & 0xFF) == SQLITE_READONLY) return rc;
  Fail("cannot use");
}

long RegistryStore::WriteStatus(int rc) {
  if ((rc & 0xFF) == SQLITE_READONLY) return kAccessDenied;
  return kOk;
}

void RegistryStore::Exec(const char* sql) {
  Statement statement(*this, sql);
  while (statement.Next()) {
  }
}

void RegistryStore::Begin() {
  // A transaction left open by a failed operation would swallow this one.
  if (sqlite3_get_autocommit(db_) == 0) Rollback();
  // A store that may only be read (its file is read-only) still serves reads;
  // its writes then answer access denied.
  Exec(sqlite3_db_readonly(db_, "main") == 1 ? "BEGIN" : "BEGIN IMMEDIATE");
}

void RegistryStore::Commit() {
  if (sqlite3_get_autocommit(db_) != 0) return;
  sqlite3_stmt* commit = Prepared("COMMIT");
  const int rc = sqlite3_step(commit);
  sqlite3_reset(commit);
  if (rc != SQLITE_DONE) {
    const std::string message = sqlite3_errmsg(db_);
    Rollback();
    throw RegistryStoreError("cannot save the settings store " + path_ + ": " + message);
  }
}

void RegistryStore::Rollback() {
  if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool RegistryStore::FindChild(std::int64_t parent, std::string_view name, std::int64_t& id) {
  Statement find(*this, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
  find.Bind(parent).Bind(name);
  if (!find.Next()) return false;
  id = find.Int(0);
  return true;
}

bool RegistryStore::Descend(std::int64_t& id, std::string_view path) {
  return ForEachName(path, [&](std::string_view name) { return FindChild(id, name, id); });
}

long RegistryStore::OpenKey(RegistryRoot root, std::string_view path, RegistryKey& key) {
  return OpenSubkey(RegistryKey{RootId(root)}, path, key);
}

long RegistryStore::OpenSubkey(RegistryKey parent, std::string_view path, RegistryKey& key) {
  std::int64_t id = parent.id;
  if (!Descend(id, path)) return kFileNotFound;
  key.id = id;
  return kOk;
}

long RegistryStore::CreateKey(RegistryRoot root, std::string_view path, RegistryKey& key) {
  std::size_t depth = 0;
  const bool fit = ForEachName(
      path, [&](std::string_view name) { return ++depth <= kMaxKeyDepth && NameProblem(name).empty(); });
  if (!fit) return kInvalidName;
  key.id = RootId(root);
  long status = kOk;
  ForEachName(path, [&](std::string_view name) {
    if (FindChild(key.id, name, key.id)) return true;
    Statement insert(*this, "INSERT INTO keys (parent, name) VALUES (?1, ?2)");
    status = insert.Bind(key.id).Bind(name).Change();
    key.id = sqlite3_last_insert_rowid(db_);
    return status == kOk;
  });
  return status;
}

long RegistryStore::CloseKey(RegistryKey) { return kOk; }

std::string RegistryStore::KeyPath(RegistryKey key) {
  std::string path;
  for (std::int64_t id = key.id;;) {
    Statement up(*this, "SELECT parent, name FROM keys WHERE id = ?1 AND parent IS NOT NULL");
    if (!up.Bind(id).Next()) return path;
    path = std::string(up.Text(1)) + (path.empty() ? "" : "\\") + path;
    id = up.Int(0);
  }
}

long RegistryStore::QueryValueInfo(RegistryKey key, std::string_view name, std::uint32_t& type,
                                   std::size_t& size) {
  Statement query(*this, "SELECT type, length(data) FROM key_values WHERE key = ?1 AND name = ?2");
  if (!query.Bind(key.id).Bind(name).Next()) return kFileNotFound;
  type = static_cast<std::uint32_t>(query.Int(0));
  size = static_cast<std::size_t>(query.Int(1));
  return kOk;
}

long RegistryStore::QueryValue(RegistryKey key, std::string_view name, std::uint32_t& type,
                               std::string& data) {
  Statement query(*this, "SELECT type, data FROM key_values WHERE key = ?1 AND name = ?2");
  if (!query.Bind(key.id).Bind(name).Next()) return kFileNotFound;
  type = static_cast<std::uint32_t>(query.Int(0));
  const std::string_view stored = query.Blob(1);
  if (stored.size() > data.size()) return kMoreData;
  data.assign(stored);
  return kOk;
}

long RegistryStore::SetValue(RegistryKey key, std::string_view name, std::uint32_t type,
                             std::string_view data) {
  if (!NameProblem(name).empty()) return kInvalidName;
  Statement set(*this,
                "INSERT INTO key_values (key, name, type, data) VALUES (?1, ?2, ?3, ?4) "
                "ON CONFLICT (key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  return set.Bind(key.id).Bind(name).Bind(static_cast<std::int64_t>(type)).BindBlob(data).Change();
}

long RegistryStore::DeleteValue(RegistryKey key, std::string_view name) {
  Statement erase(*this, "DELETE FROM key_values WHERE key = ?1 AND name = ?2");
  const long status = erase.Bind(key.id).Bind(name).Change();
  if (status != kOk) return status;
  return sqlite3_changes(db_) > 0 ? kOk : kFileNotFound;
}

long RegistryStore::DeleteKey(RegistryKey key, std::string_view subkey) {
  std::int64_t id = key.id;
  if (subkey.find_first_not_of('\\') == std::string_view::npos || !Descend(id, subkey)) {
    return kFileNotFound;
  }
  Statement child(*this, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
  if (child.Bind(id).Next()) return kAccessDenied;
  return DeleteTree(RegistryKey{id}, {});
}

long RegistryStore::DeleteTree(RegistryKey key, std::string_view subkey) {
  std::int64_t id = key.id;
  if (!Descend(id, subkey)) return kFileNotFound;
  Statement values(*this,
                   "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
                   "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
                   "DELETE FROM key_values WHERE key IN tree");
  const long status = values.Bind(id).Change();
  if (status != kOk) return status;
  Statement keys(*this,
                 "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
                 "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
                 "DELETE FROM keys WHERE id IN tree AND parent IS NOT NULL");
  return keys.Bind(id).Change();
}

std::vector<std::string> RegistryStore::SubkeyNames(RegistryKey key) {
  Statement list(*this, "SELECT name FROM keys WHERE parent = ?1 ORDER BY name");
  list.Bind(key.id);
  std::vector<std::string> names;
  while (list.Next()) names.emplace_back(list.Text(0));
  return names;
}

std::vector<RegistryValue> RegistryStore::Values(RegistryKey key) {
  Statement list(*this, "SELECT name, type, data FROM key_values WHERE key = ?1 ORDER BY name");
  list.Bind(key.id);
  std::vector<RegistryValue> values;
  while (list.Next()) {
    values.push_back({std::string(list.Text(0)), static_cast<std::uint32_t>(list.Int(1)),
                      std::string(list.Blob(2))});
  }
  return values;
}

}  // namespace vorlix::platform
