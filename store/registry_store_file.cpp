// SPDX-License-Identifier: MIT
// The settings store's file on disk.

#include "store/registry_store_file.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/unique_fd.h"
#include "platform/xdg.h"
#include "store/registry_store_error.h"

namespace vorlix::platform {
namespace {

// The six roots get the ids 1 to 6, in the order of kRegistryRoots.
constexpr const char* kSchema = R"sql(
CREATE TABLE keys (
  id INTEGER PRIMARY KEY,
  parent INTEGER,
  name TEXT NOT NULL COLLATE NOCASE,
  UNIQUE (parent, name)
);
CREATE TABLE key_values (
  key INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE NOCASE,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY (key, name)
) WITHOUT ROWID;
INSERT INTO keys (id, parent, name) VALUES
  (1, NULL, 'HKEY_CLASSES_ROOT'), (2, NULL, 'HKEY_CURRENT_USER'),
  (3, NULL, 'HKEY_LOCAL_MACHINE'), (4, NULL, 'HKEY_USERS'),
  (5, NULL, 'HKEY_CURRENT_CONFIG'), (6, NULL, 'HKEY_DYN_DATA');
)sql";

}  // namespace

std::string NewStoreSql() {
  return "PRAGMA journal_mode = WAL; PRAGMA application_id = " + std::to_string(kStoreApplicationId) +
         "; PRAGMA user_version = " + std::to_string(kStoreSchemaVersion) + "; BEGIN; " + kSchema + " COMMIT;";
}

namespace {

[[noreturn]] void FailWithErrno(const std::string& what, const std::string& path) {
  throw RegistryStoreError("cannot " + what + " " + path + ": " + std::strerror(errno));
}

// Builds the empty store in the temporary file `temp` (an empty file).
void BuildStore(const std::string& temp, const std::string& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, NewStoreSql().c_str(), nullptr, nullptr, nullptr);
  const std::string error = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (sqlite3_close(db) != SQLITE_OK && rc == SQLITE_OK) rc = SQLITE_ERROR;
  if (rc != SQLITE_OK) throw RegistryStoreError("cannot create the settings store " + path + ": " + error);
}

// The path of the folder holding `path`.
std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

// `log` moved to a free name beside it that says what it is; the new path.
std::string MoveLogAside(const std::string& log) {
  char stamp[32] = "";
  const std::time_t now = std::time(nullptr);
  struct tm local {};
  if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  for (int attempt = 1;; ++attempt) {
    std::string aside = log + ".orphaned-" + stamp;
    if (attempt > 1) aside.append(1, '-').append(std::to_string(attempt));
    // link and unlink: a rename that never replaces a file already there.
    if (link(log.c_str(), aside.c_str()) == 0) {
      if (unlink(log.c_str()) != 0) FailWithErrno("move aside the log file", log);
      return aside;
    }
    if (errno != EEXIST) FailWithErrno("move aside the log file", log);
  }
}

// SQLite's log and index files beside a store that no longer exists belong to
// a store that was moved or removed; left there, SQLite would replay them into
// the new one. The index holds nothing that is not in the log, and an empty log
// holds nothing: both go. A log with data is moved aside and reported.
void ClearOrphanedLogs(const std::string& path) {
  const std::string log = path + "-wal";
  struct stat st {};
  const bool holds_data = lstat(log.c_str(), &st) == 0 && !(S_ISREG(st.st_mode) && st.st_size == 0);
  const std::string aside = holds_data ? MoveLogAside(log) : std::string();
  for (const std::string& spare : {log, path + "-shm"}) {
    if (unlink(spare.c_str()) != 0 && errno != ENOENT) FailWithErrno("remove the old log file", spare);
  }
  if (holds_data) {
    throw RegistryStoreError(
        "The settings store " + path + " is missing, but its log file " + log +
        " was still there, holding changes that may not be in any store; it was moved to " + aside +
        ". If you moved the store away, put that log beside it, named after it with -wal at the "
        "end, before anything opens it. Vorlix starts again with empty settings.");
  }
}

// Holds an exclusive lock on a folder while it lives.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder)
      : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_.get() < 0 || flock(fd_.get(), LOCK_EX) != 0)
      FailWithErrno("lock the settings folder", folder);
  }

 private:
  UniqueFd fd_;
};

}  // namespace

std::string DamagedStoreMessage(const std::string& path, std::string_view reason) {
  return "The settings store " + path + " is damaged or is not a settings store (" +
         std::string(reason) + "). It was left as it is; move it away together with its log files " +
         path + "-wal and " + path + "-shm, where they exist, to start again with empty settings.";
}

bool StoreFolderWritable(const std::string& path) { return access(FolderOf(path).c_str(), W_OK) == 0; }

std::string UnwritableFolderMessage(const std::string& path, std::string_view reason) {
  return "The settings store " + path + " cannot be opened because its folder " + FolderOf(path) +
         " cannot be written (" + std::string(reason) +
         "); the store needs to keep its log files beside it. Allow writing to the folder.";
}

void CreateStoreFile(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (InsideMissingHome(folder)) {
    throw RegistryStoreError("cannot create the settings folder " + folder + ": the home folder " + HomeDir() +
                             " does not exist");
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw RegistryStoreError("cannot create the settings folder " + folder + ": " + error.message());
  }
  const FolderLock lock(folder);
  if (StoreFileExists(path)) return;  // another process made it meanwhile
  ClearOrphanedLogs(path);
  std::string temp = path + ".new-XXXXXX";
  UniqueFd fd(mkstemp(temp.data()));
  if (fd.get() < 0) FailWithErrno("create the settings store", path);
  try {
    BuildStore(temp, path);
    if (fsync(fd.get()) != 0) FailWithErrno("write the settings store", path);
    if (link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST)
      FailWithErrno("create the settings store", path);
  } catch (...) {
    unlink(temp.c_str());
    throw;
  }
  unlink(temp.c_str());
  // Make the new name itself durable.
  UniqueFd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0 || fsync(dir.get()) != 0) FailWithErrno("write the settings folder", folder);
}

bool StoreFileExists(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    FailWithErrno("open the settings store", path);
  }
  if (!S_ISREG(st.st_mode)) {
    throw RegistryStoreError(
        DamagedStoreMessage(path, S_ISDIR(st.st_mode) ? "a folder, not a file" : "not a regular file"));
  }
  if (st.st_size == 0) throw RegistryStoreError(DamagedStoreMessage(path, "the file is empty"));
  return true;
}

}  // namespace vorlix::platform
