// SPDX-License-Identifier: MIT
// The settings store's one way to run SQL: a statement from the store's cache
// with its arguments bound, reset when it goes out of scope, every failure
// reported through the store.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "store/registry_store.h"

namespace vorlix::platform {

// Binds arguments to a cached statement and resets it when the scope ends.
class RegistryStore::Statement {
 public:
  Statement(RegistryStore& store, const char* sql) : store_(store), stmt_(store.Prepared(sql)) {}
  ~Statement() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(std::int64_t value) {
    Check(sqlite3_bind_int64(stmt_, ++bound_, value));
    return *this;
  }
  Statement& Bind(std::string_view text) {
    Check(sqlite3_bind_text(stmt_, ++bound_, text.data(), static_cast<int>(text.size()),
                            SQLITE_STATIC));
    return *this;
  }
  Statement& BindBlob(std::string_view data) {
    // A zero-length blob must still be a blob, not NULL.
    Check(sqlite3_bind_blob(stmt_, ++bound_, data.empty() ? "" : data.data(),
                            static_cast<int>(data.size()), SQLITE_STATIC));
    return *this;
  }
  // True while a row is available.
  bool Next() { return store_.Step(stmt_) == SQLITE_ROW; }
  // Runs a change; the status for the caller.
  long Change() { return store_.WriteStatus(store_.Step(stmt_)); }

  std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
  std::string_view Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return {text == nullptr ? "" : text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
  }
  std::string_view Blob(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return {data == nullptr ? "" : data, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
  }
  bool IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

 private:
  void Check(int rc) {
    if (rc != SQLITE_OK) store_.Fail("cannot use");
  }
  RegistryStore& store_;
  sqlite3_stmt* stmt_;
  int bound_ = 0;
};

}  // namespace vorlix::platform
