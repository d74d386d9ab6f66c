// SPDX-License-Identifier: MIT
// One entry already in the freedesktop.org trash.

#include "platform/trashed_entry.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/file_log.h"
#include "platform/folder_entries.h"
#include "platform/host_folders.h"
#include "platform/private_files.h"
#include "platform/unique_fd.h"

namespace vorlix::platform {
namespace {

constexpr std::size_t kLongestRecord = 64 * 1024;

UniqueFd OpenPart(const std::string& trash, const char* part) {
  return UniqueFd(open((trash + "/" + part).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::string RecordName(const std::string& name) { return name + std::string(kTrashInfoEnding); }

// A trash at a file system's top ("TOP/.Trash-UID" or "TOP/.Trash/UID")
// records paths below that top.
std::string TopOf(const std::string& trash) {
  std::string top = trash.substr(0, trash.rfind('/'));
  if (top.ends_with("/.Trash")) top.erase(top.size() - 7);
  return top.empty() ? "/" : top;
}

// A record's deletion time: local time, to the second.
constexpr const char* kRecordTime = "%Y-%m-%dT%H:%M:%S";

std::optional<std::time_t> LocalTime(const std::string& text) {
  std::tm when{};
  const char* end = strptime(text.c_str(), kRecordTime, &when);
  if (end == nullptr) return std::nullopt;
  when.tm_isdst = -1;
  const std::time_t seconds = mktime(&when);
  if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
  return seconds;
}

}  // namespace

std::string TrashInfoText(const std::string& recorded_path) {
  char* escaped = g_uri_escape_string(recorded_path.c_str(), "/", FALSE);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char when[32] = "9999-12-31T23:59:59";
  if (localtime_r(&now, &local) != nullptr) std::strftime(when, sizeof when, kRecordTime, &local);
  std::string record = std::string("[Trash Info]\nPath=") + escaped + "\nDeletionDate=" + when + "\n";
  g_free(escaped);
  return record;
}

std::string TrashInfoDigest(std::string_view text) {
  gchar* digest = g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(text.data()),
                                              text.size());
  std::string kept(digest, 32);
  g_free(digest);
  return kept;
}

TrashMark MarkOf(const struct stat& entry, const struct stat& record, std::string_view record_text) {
  const std::int64_t changed = static_cast<std::int64_t>(record.st_ctim.tv_sec) * 1000000000 + record.st_ctim.tv_nsec;
  return {{entry.st_dev, entry.st_ino}, {record.st_dev, record.st_ino}, changed, TrashInfoDigest(record_text)};
}

namespace {

// What a record's text says; nothing when it lacks either field.
std::optional<TrashInfo> ReadInfoText(const std::string& trash, const std::string& text) {
  std::optional<std::string> path;
  std::optional<std::time_t> deleted;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    if (line.starts_with("Path=")) {
      char* decoded = g_uri_unescape_string(std::string(line.substr(5)).c_str(), nullptr);
      if (decoded != nullptr) path = decoded;
      g_free(decoded);
    } else if (line.starts_with("DeletionDate=")) {
      deleted = LocalTime(std::string(line.substr(13)));
    }
    start = end + 1;
  }
  if (!path || path->empty() || !deleted) return std::nullopt;
  if (path->front() != '/') {
    const std::string top = TopOf(trash);
    *path = (top == "/" ? "" : top) + "/" + *path;
  }
  return TrashInfo{*path, *deleted};
}

}  // namespace

TrashLook::TrashLook(std::string trash)
    : trash_(std::move(trash)), info_(OpenPart(trash_, "info")), files_(OpenPart(trash_, "files")) {
  if (!info_.ok() || !files_.ok()) open_error_ = errno;
}

std::optional<TrashEntry> TrashLook::Entry(const std::string& name) const {
  if (!info_.ok() || !files_.ok()) return std::nullopt;
  const UniqueFd record(openat(info_.get(), RecordName(name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat record_file {};
  if (!record.ok() || fstat(record.get(), &record_file) != 0 || !S_ISREG(record_file.st_mode)) return std::nullopt;
  const std::optional<std::string> text = ReadOpenFile(record.get(), kLongestRecord);
  struct stat entry {};
  if (!text || fstatat(files_.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  std::optional<TrashInfo> read = ReadInfoText(trash_, *text);
  if (!read) return std::nullopt;
  return TrashEntry{std::move(*read), MarkOf(entry, record_file, *text)};
}

PutBackResult TrashLook::PutBack(const TrashedAs& moved, bool dry_run, int& error) const {
  error = 0;
  const std::string& original = moved.original;
  const std::size_t slash = original.rfind('/');
  const std::string folder_path = slash == 0 ? "/" : original.substr(0, slash);
  const std::string base = original.substr(slash + 1);
  // Only into the very folder the entry left, so that a folder replaced
  // since by a link or by another folder gets nothing. Where the folder's
  // identity was recorded, the path is taken where it really leads now (a
  // home whose ~/.cache is a link) and the folder there must be that one;
  // either way it is opened part by part, never through a link, so that a
  // link put in meanwhile leads nowhere.
  const std::string real_folder = moved.folder ? RealFolder(folder_path).value_or(folder_path) : folder_path;
  const UniqueFd folder = OpenHostFolder(real_folder);
  if (!folder.ok()) {
    error = errno;
    if (error == ENOENT || error == ENOTDIR) return PutBackResult::kFolderMissing;
    return error == ELOOP ? PutBackResult::kFolderReplaced : PutBackResult::kFailed;
  }
  struct stat own {};
  if (fstat(folder.get(), &own) != 0) {
    error = errno;
    return PutBackResult::kFailed;
  }
  if (moved.folder && *moved.folder != FileIdentity{own.st_dev, own.st_ino}) return PutBackResult::kFolderReplaced;
  if (open_error_ != 0) {
    error = open_error_;
    return PutBackResult::kFailed;
  }
  if (dry_run) {
    struct stat st {};
    if (fstatat(folder.get(), base.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return PutBackResult::kOccupied;
    return PutBackResult::kDone;
  }
  if (renameat2(files_.get(), moved.name.c_str(), folder.get(), base.c_str(), RENAME_NOREPLACE) != 0) {
    error = errno;
    return error == EEXIST ? PutBackResult::kOccupied : PutBackResult::kFailed;
  }
  // The entry is back; a record left behind would only describe an empty place.
  if (unlinkat(info_.get(), RecordName(moved.name).c_str(), 0) != 0) {
    LogFileFailure("remove the trash record of", original, errno);
  }
  return PutBackResult::kDone;
}

int TrashLook::Delete(const std::string& name) const {
  if (open_error_ != 0) return open_error_;
  // Without AT_REMOVEDIR a folder refuses, so only a file or a link can go.
  if (unlinkat(files_.get(), name.c_str(), 0) != 0) return errno;
  if (unlinkat(info_.get(), RecordName(name).c_str(), 0) != 0) return errno;
  return 0;
}

}  // namespace vorlix::platform
