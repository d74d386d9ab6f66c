// SPDX-License-Identifier: MIT
// The settings store: reads and durable writes through TRegFile, each with its
// own open and close, against bare SQLite statements doing the same work on
// the same schema.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/compare.h"
#include "bench/sections.h"
#include "settings/reg_files.h"
#include "store/user_registry.h"

namespace vorlix::bench {
namespace {

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

void PrintRate(const char* what, int count, const ComparisonFigures& figures, double target) {
  const double rate = count / figures.ours.wall.median;
  std::printf("  %s: %.0f per second, bare SQLite %.0f per second; target %.0f per second: %s\n", what, rate,
              count / figures.others[0].wall.median, target, rate >= target ? "met" : "MISSED");
}

void Registry() {
  setenv("XDG_CONFIG_HOME", ScratchDir("registry").c_str(), 1);
  TRegFile reg;
  reg.Key = "Software\\Tolvex\\Vorlix 5.0";
  const std::string folder = "c:\\windows\\Temporary Internet Files\\Content.IE5\\ABCDEFGH";
  for (int i = 0; i < kValues; ++i) reg.WriteValue(ValueName(i), folder);
  BareStore bare(platform::UserRegistryPath());
  // Warm up first, so that neither side pays alone for growing the log file.
  for (int i = 0; i < kValues; ++i) {
    reg.WriteValue(ValueName(i), folder);
    bare.Write(ValueName(i), folder);
  }

  // Both sides work on the same store; their folders stay empty.
  const int reads = Count(10000, 1000);
  std::size_t sink = 0;
  const ComparisonFigures read_figures = Compare(
      {"ReadValueDef", 0, FileSizes::kTiny,
       {"TRegFile", [&](const std::string&) {
          for (int i = 0; i < reads; ++i) sink += reg.ReadValueDef(ValueName(i), "").Text().size();
        }},
       {{"bare SQLite", [&](const std::string&) {
          for (int i = 0; i < reads; ++i) sink += bare.Read(ValueName(i));
        }}},
       {{Target::kWall, 2, "≤ 2× wall"}}},
      Place::kDisk);
  PrintRate("reads", reads, read_figures, 20000);

  // Each write stores new data: SQLite skips rewriting data that is unchanged.
  const int writes = Count(500, 20);
  int generation = 0;
  const ComparisonFigures write_figures = Compare(
      {"WriteValue (durable)", 0, FileSizes::kTiny,
       {"TRegFile", [&](const std::string&) {
          ++generation;
          for (int i = 0; i < writes; ++i) reg.WriteValue(ValueName(i), folder + std::to_string(generation));
        }},
       {{"bare SQLite", [&](const std::string&) {
          ++generation;
          for (int i = 0; i < writes; ++i) bare.Write(ValueName(i), folder + std::to_string(generation));
        }}},
       {{Target::kWall, 2, "≤ 2× wall"}}},
      Place::kDisk);
  PrintRate("durable writes", writes, write_figures, 2000);
  std::printf("(read %zu bytes)\n", sink);
}

}  // namespace

VORLIX_BENCH_SECTION("registry", "the settings store's reads and durable writes against bare SQLite", Registry);

}  // namespace vorlix::bench
