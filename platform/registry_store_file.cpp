// SPDX-License-Identifier: MIT

#include "platform/registry_store_file.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/registry_store.h"

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

[[noreturn]] void FailWithErrno(const std::string& what, const std::string& path) {
  throw RegistryStoreError("cannot " + what + " " + path + ": " + std::strerror(errno));
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Builds the empty store in the temporary file `temp` (an empty file).
void BuildStore(const std::string& temp, const std::string& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) {
    const std::string setup = "PRAGMA journal_mode = WAL; PRAGMA application_id = " +
                              std::to_string(kStoreApplicationId) + "; PRAGMA user_version = " +
                              std::to_string(kStoreSchemaVersion) + "; BEGIN; " + kSchema +
                              " COMMIT;";
    rc = sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr);
  }
  const std::string error = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (sqlite3_close(db) != SQLITE_OK && rc == SQLITE_OK) rc = SQLITE_ERROR;
  if (rc != SQLITE_OK) throw RegistryStoreError("cannot create the settings store " + path + ": " + error);
}

// SQLite's log and index files beside a store that no longer exists belong to a
// removed store; left there, SQLite would replay them into the new one.
void RemoveStaleLogs(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 || errno != ENOENT) return;
  for (const char* suffix : {"-wal", "-shm"}) {
    if (unlink((path + suffix).c_str()) != 0 && errno != ENOENT) {
      FailWithErrno("remove the old log file", path + suffix);
    }
  }
}

std::uint32_t BigEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
  return value;
}

}  // namespace

std::string DamagedStoreMessage(const std::string& path, std::string_view reason) {
  return "The settings store " + path + " is damaged or is not a settings store (" +
         std::string(reason) +
         "). It was left as it is; move it away to start again with empty settings.";
}

void CreateStoreFile(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw RegistryStoreError("cannot create the settings folder " + folder.string() + ": " +
                             error.message());
  }
  std::string temp = path + ".new-XXXXXX";
  FileDescriptor fd(mkstemp(temp.data()));
  if (fd.get() < 0) FailWithErrno("create the settings store", path);
  try {
    BuildStore(temp, path);
    if (fsync(fd.get()) != 0) FailWithErrno("write the settings store", path);
    RemoveStaleLogs(path);
    if (link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST) {
      FailWithErrno("create the settings store", path);
    }
  } catch (...) {
    unlink(temp.c_str());
    throw;
  }
  unlink(temp.c_str());
  // Make the new name itself durable.
  FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0 || fsync(dir.get()) != 0) FailWithErrno("write the settings folder", folder);
}

void CheckStoreFileHeader(const std::string& path) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) FailWithErrno("open the settings store", path);
  struct stat st {};
  if (fstat(fd.get(), &st) != 0) FailWithErrno("read the settings store", path);
  if (!S_ISREG(st.st_mode)) throw RegistryStoreError(DamagedStoreMessage(path, "not a regular file"));
  if (st.st_size == 0) throw RegistryStoreError(DamagedStoreMessage(path, "the file is empty"));

  unsigned char header[100] = {};
  const ssize_t got = pread(fd.get(), header, sizeof header, 0);
  if (got < 0) FailWithErrno("read the settings store", path);
  constexpr char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
  const bool magic_fits = std::memcmp(header, kMagic, got < 16 ? got : 16) == 0;
  if (!magic_fits) throw RegistryStoreError(DamagedStoreMessage(path, "not an SQLite database"));
  if (got < static_cast<ssize_t>(sizeof header)) {
    throw RegistryStoreError(DamagedStoreMessage(path, "the file is truncated"));
  }
  std::uint32_t page_size = BigEndian(header + 16, 2);
  if (page_size == 1) page_size = 65536;
  if (page_size < 512 || page_size > 65536 || (page_size & (page_size - 1)) != 0) {
    throw RegistryStoreError(DamagedStoreMessage(path, "bad page size"));
  }
  // The page count in the header is valid when the two change counters agree.
  const bool count_valid = std::memcmp(header + 24, header + 92, 4) == 0;
  const std::uint64_t pages = count_valid ? BigEndian(header + 28, 4) : 1;
  if (st.st_size % page_size != 0 || static_cast<std::uint64_t>(st.st_size) < pages * page_size) {
    throw RegistryStoreError(DamagedStoreMessage(path, "the file is truncated"));
  }
}

}  // namespace vorlix::platform
