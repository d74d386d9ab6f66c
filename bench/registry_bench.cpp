// SPDX-License-Identifier: MIT
// The settings store: reads and durable writes through TRegFile, each with its
// own open and close, against bare SQLite statements doing the same work on
// the same schema.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/sections.h"
#include "platform/user_registry.h"
#include "settings/reg_files.h"

namespace vorlix::bench {
namespace {

constexpr int kReads = 50000;
constexpr int kWrites = 5000;
constexpr int kRounds = 50;
constexpr int kValues = 30;  // a settings key's worth of names
constexpr const char* kKeyNames[] = {"Software", "Tolvex", "Vorlix 5.0"};

std::string ValueName(int i) { return "IE Button " + std::to_string(i % kValues) + " Default Folder"; }

// The same reads and writes as TRegFile does, as plain prepared statements:
// the key path looked up name by name, then the value read or written. Each
// write stores new data: SQLite skips rewriting data that is unchanged.
class BareStore {
 public:
  explicit BareStore(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db_, 10000);
    sqlite3_exec(db_, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    find_ = Prepare("SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
    read_ = Prepare("SELECT type, data FROM key_values WHERE key = ?1 AND name = ?2");
    write_ = Prepare(
        "INSERT INTO key_values (key, name, type, data) VALUES (?1, ?2, 1, ?3) "
        "ON CONFLICT (key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    begin_ = Prepare("BEGIN IMMEDIATE");
    commit_ = Prepare("COMMIT");
  }
  ~BareStore() {
    for (sqlite3_stmt* statement : {find_, read_, write_, begin_, commit_}) sqlite3_finalize(statement);
    sqlite3_close(db_);
  }

  std::size_t Read(const std::string& name) {
    const sqlite3_int64 key = FindKey();
    sqlite3_bind_int64(read_, 1, key);
    sqlite3_bind_text(read_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    const std::size_t size = sqlite3_step(read_) == SQLITE_ROW ? sqlite3_column_bytes(read_, 1) : 0;
    sqlite3_reset(read_);
    return size;
  }

  void Write(const std::string& name, const std::string& data) {
    Run(begin_);
    sqlite3_bind_int64(write_, 1, FindKey());
    sqlite3_bind_text(write_, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    sqlite3_bind_blob(write_, 3, data.data(), static_cast<int>(data.size() + 1), SQLITE_STATIC);
    Run(write_);
    Run(commit_);
  }

 private:
  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "bare statements: %s\n", sqlite3_errmsg(db_));
      std::exit(1);
    }
    return statement;
  }
  static void Run(sqlite3_stmt* statement) {
    sqlite3_step(statement);
    sqlite3_reset(statement);
  }
  sqlite3_int64 FindKey() {
    sqlite3_int64 id = 2;  // HKEY_CURRENT_USER
    for (const char* name : kKeyNames) {
      sqlite3_bind_int64(find_, 1, id);
      sqlite3_bind_text(find_, 2, name, -1, SQLITE_STATIC);
      if (sqlite3_step(find_) == SQLITE_ROW) id = sqlite3_column_int64(find_, 0);
      sqlite3_reset(find_);
    }
    return id;
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt *find_, *read_, *write_, *begin_, *commit_;
};

void Report(const char* what, int count, double seconds, double bare_seconds, double target) {
  const double rate = count / seconds;
  std::printf("%-28s %9.0f per second  bare SQLite %9.0f per second  %.2fx bare  target %.0f: %s\n",
              what, rate, count / bare_seconds, seconds / bare_seconds, target,
              rate >= target && seconds <= 2 * bare_seconds ? "met" : "MISSED");
}

void Registry() {
  setenv("XDG_CONFIG_HOME", ScratchDir("registry").c_str(), 1);
  TRegFile reg;
  reg.Key = "Software\\Tolvex\\Vorlix 5.0";
  const std::string folder = "c:\\windows\\Temporary Internet Files\\Content.IE5\\ABCDEFGH";
  for (int i = 0; i < kValues; ++i) reg.WriteValue(ValueName(i), folder);
  BareStore bare(platform::UserRegistryPath());

  // Both sides take turns in short rounds, so that both meet the same disk
  // (another program's writes slow every fsync for a while).
  std::size_t sink = 0;
  double reads = 0, bare_reads = 0, writes = 0, bare_writes = 0;
  for (int round = 0; round < kRounds; ++round) {
    reads += SecondsOf([&] {
      for (int i = 0; i < kReads / kRounds; ++i) sink += reg.ReadValueDef(ValueName(i), "").Text().size();
    });
    bare_reads += SecondsOf([&] {
      for (int i = 0; i < kReads / kRounds; ++i) sink += bare.Read(ValueName(i));
    });
  }
  // Warm up first, so that neither side pays alone for growing the log file.
  for (int i = 0; i < kWrites / 5; ++i) {
    reg.WriteValue(ValueName(i), folder);
    bare.Write(ValueName(i), folder);
  }
  for (int round = 0; round < kRounds; ++round) {
    writes += SecondsOf([&] {
      for (int i = 0; i < kWrites / kRounds; ++i) reg.WriteValue(ValueName(i), folder + std::to_string(i));
    });
    bare_writes += SecondsOf([&] {
      for (int i = 0; i < kWrites / kRounds; ++i) bare.Write(ValueName(i), folder + std::to_string(-i));
    });
  }
  Report("ReadValueDef", kReads, reads, bare_reads, 20000);
  Report("WriteValue (durable)", kWrites, writes, bare_writes, 2000);
  std::printf("(read %zu bytes)\n", sink);
}

}  // namespace

VORLIX_BENCH_SECTION("registry", Registry);

}  // namespace vorlix::bench
