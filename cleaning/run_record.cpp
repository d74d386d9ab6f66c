// SPDX-License-Identifier: MIT
// The record of each cleaning run that moves files into the trash.

#include "cleaning/run_record.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>

#include "cleaning/left_files.h"
#include "cleaning/let_go_setting.h"
#include "cleaning/run_record_text.h"
#include "platform/file_log.h"
#include "platform/private_files.h"
#include "platform/trashed_entry.h"
#include "platform/xdg.h"
#include "settings/settings_catalogue.h"
#include "support/text_utils.h"

namespace vorlix {

class RunRecord {
 public:
  void Add(const platform::TrashedAs& moved);
  // Why the run could not be recorded, for the user; empty when it was.
  std::string Problem();

 private:
  bool Open();
  void Failed(const std::string& what, const std::string& path, int error);

  std::mutex mutex_;
  const std::time_t when_ = std::time(nullptr);
  std::optional<platform::AppendFile> file_;
  std::string path_;     // for the failure log and the user's message
  std::string problem_;  // why the run could not be recorded (it goes on unrecorded), for the user
  RunRecordWriter writer_;
};

namespace {

std::atomic<RunRecord*> g_open_record{nullptr};

constexpr std::string_view kRecordEnding = ".run";
// A trash record's time has whole seconds; the run's start may lie within the same second.
constexpr std::time_t kClockSlack = 2;

std::string RunsPath() { return platform::VorlixConfigDir() + "/runs"; }

// A new record's name: the time in nanoseconds, so that names sort as runs began.
std::string NewRecordName(int attempt) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  char name[40];
  const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec + attempt;
  std::snprintf(name, sizeof name, "%020lld", nanoseconds);
  return std::string(name) + std::string(kRecordEnding);
}

std::vector<std::string> RecordNames(int runs_fd) {
  std::vector<std::string> names = platform::FileNames(runs_fd);
  std::erase_if(names, [](const std::string& name) { return !name.ends_with(kRecordEnding); });
  return names;
}

std::string IdOf(const std::string& record_name) {
  return record_name.substr(0, record_name.size() - kRecordEnding.size());
}

// True while the trash holds the move as the run left it.
bool StillInTrash(const RecordedMove& move, std::time_t run_began, std::time_t* deleted = nullptr) {
  const std::optional<platform::TrashInfo> info = platform::ReadTrashInfo(move.trash, move.name);
  if (!info || info->path != move.original || info->deleted + kClockSlack < run_began) return false;
  if (!platform::InTrash(move.trash, move.name)) return false;
  if (deleted != nullptr) *deleted = info->deleted;
  return true;
}

std::optional<RecordedMoves> ReadRecord(int runs_fd, const std::string& name) {
  const std::optional<std::string> text = platform::ReadWhole(runs_fd, name);
  if (!text) {
    platform::LogFileFailure("read the run record", RunsPath() + "/" + name, errno);
    return std::nullopt;
  }
  return ReadRunRecord(*text);
}

// Removes a record none of whose files is left in the trash.
void DropWhenEmpty(int runs_fd, const std::string& name, const RecordedMoves& record) {
  for (const RecordedMove& move : record.moves) {
    if (StillInTrash(move, record.when)) return;
  }
  if (const int error = platform::RemoveFile(runs_fd, name); error != 0) {
    platform::LogFileFailure("remove the run record", RunsPath() + "/" + name, error);
  }
}

// Lets go of what the stored setting says; gives what could not be let go of,
// as a sentence for the user (empty when all went).
std::string LetGoAsSet() {
  // Nothing recorded, nothing to let go of: the store is not even read (nor
  // made, on a first run).
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok() || RecordNames(runs_fd.get()).empty()) return {};
  std::optional<int> days;
  try {
    TRegFile reg_file1;
    BindSettingsStore(reg_file1, "TForm1", "RegFile1");
    days = ReadLetGoDays(reg_file1);
  } catch (const ERegFileError&) {
    // A store that cannot be read says so where the run reads its own
    // settings; without the setting nothing is let go.
    return {};
  }
  if (!days) return {};
  std::size_t failed = 0;
  int error = 0;
  for (const LetGoFile& file : LetGoOlderThan(*days, false)) {
    if (file.error == 0) continue;
    ++failed;
    error = file.error;
  }
  if (failed == 0) return {};
  return Counted(failed, "old file") + " could not be deleted from the trash: " + ReasonText(error);
}

}  // namespace

bool RunRecord::Open() {
  const platform::UniqueFd runs = platform::PrivateFolder(RunsPath());
  if (!runs.ok()) {
    Failed("make the run record folder", RunsPath(), errno);
    return false;
  }
  // Older records go when a new run begins, so that this one is among the kept.
  std::vector<std::string> names = RecordNames(runs.get());
  for (std::size_t i = 0; i + kRunsKept <= names.size(); ++i) {
    if (const int error = platform::RemoveFile(runs.get(), names[i]); error != 0) {
      platform::LogFileFailure("remove the run record", RunsPath() + "/" + names[i], error);
    }
  }
  for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
    const std::string name = NewRecordName(attempt);
    path_ = RunsPath() + "/" + name;
    file_ = platform::AppendFile::Create(runs.get(), name);
    if (!file_ && errno != EEXIST) break;
  }
  if (!file_ || !file_->Append(RunRecordWriter::Header(when_))) {
    Failed("write the run record", path_, errno);
    return false;
  }
  return true;
}

void RunRecord::Failed(const std::string& what, const std::string& path, int error) {
  platform::LogFileFailure(what, path, error);
  problem_ = "this cleaning could not be recorded for undoing: " + path + ": " + ReasonText(error);
}

std::string RunRecord::Problem() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return problem_;
}

void RunRecord::Add(const platform::TrashedAs& moved) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!problem_.empty() || (!file_ && !Open())) return;
  if (!file_->Append(writer_.Lines(moved))) Failed("write the run record", path_, errno);
}

RunRecordScope::RunRecordScope(bool let_go) {
  auto record = std::make_unique<RunRecord>();
  RunRecord* none = nullptr;
  if (!g_open_record.compare_exchange_strong(none, record.get())) return;
  own_ = std::move(record);
  if (let_go) let_go_problem_ = LetGoAsSet();
}

std::string RunRecordScope::Problems() const {
  if (!own_) return {};
  const std::string record = own_->Problem();
  if (let_go_problem_.empty() || record.empty()) return let_go_problem_ + record;
  return let_go_problem_ + "; " + record;
}

RunRecordScope::~RunRecordScope() {
  if (own_) g_open_record.store(nullptr);
}

void RecordTrashMove(const platform::TrashedAs& moved) {
  if (RunRecord* record = g_open_record.load()) record->Add(moved);
}

std::vector<RecordedRun> ListRecordedRuns() {
  std::vector<RecordedRun> runs;
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) return runs;
  const std::vector<std::string> names = RecordNames(runs_fd.get());
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    const std::optional<RecordedMoves> record = ReadRecord(runs_fd.get(), *name);
    if (!record) continue;
    RecordedRun run{IdOf(*name), record->when, {}, record->moves.size(), 0};
    for (const RecordedMove& move : record->moves) {
      const std::string folder = move.original.substr(0, move.original.rfind('/'));
      if (run.folders.empty() || run.folders.back() != folder) run.folders.push_back(folder);
      if (StillInTrash(move, record->when)) ++run.in_trash;
    }
    runs.push_back(std::move(run));
  }
  return runs;
}

std::string NewestRunId() {
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) return {};
  const std::vector<std::string> names = RecordNames(runs_fd.get());
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    if (ReadRecord(runs_fd.get(), *name)) return IdOf(*name);
  }
  return {};
}

std::string RunRecordProblem() {
  if (platform::PrivateFolder(RunsPath()).ok()) return {};
  const int error = errno;
  return "the record of cleanings in " + RunsPath() + " cannot be read: " + ReasonText(error);
}

std::optional<std::vector<RestoredFile>> RestoreRun(const std::string& id, bool dry_run) {
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok() || id.empty() || id.find('/') != std::string::npos) return std::nullopt;
  const std::string name = id + std::string(kRecordEnding);
  const std::optional<RecordedMoves> record = ReadRecord(runs_fd.get(), name);
  if (!record) return std::nullopt;
  std::vector<RestoredFile> files;
  files.reserve(record->moves.size());
  for (const RecordedMove& move : record->moves) {
    RestoredFile file{move.original, RestoreOutcome::kNotInTrash, 0};
    if (StillInTrash(move, record->when)) {
      switch (platform::PutBack(move.trash, move.name, move.original, dry_run, file.error)) {
        case platform::PutBackResult::kDone: file.outcome = RestoreOutcome::kRestored; break;
        case platform::PutBackResult::kOccupied: file.outcome = RestoreOutcome::kOccupied; break;
        case platform::PutBackResult::kFolderMissing: file.outcome = RestoreOutcome::kFolderMissing; break;
        case platform::PutBackResult::kFailed: file.outcome = RestoreOutcome::kFailed; break;
      }
    }
    files.push_back(std::move(file));
  }
  if (!dry_run) DropWhenEmpty(runs_fd.get(), name, *record);
  return files;
}

std::vector<LetGoFile> LetGoOlderThan(int days, bool dry_run) {
  std::vector<LetGoFile> gone;
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) return gone;
  const std::time_t latest = std::time(nullptr) - static_cast<std::time_t>(days) * 86400;
  for (const std::string& name : RecordNames(runs_fd.get())) {
    const std::optional<RecordedMoves> record = ReadRecord(runs_fd.get(), name);
    if (!record) continue;
    for (const RecordedMove& move : record->moves) {
      std::time_t deleted = 0;
      if (!StillInTrash(move, record->when, &deleted) || deleted > latest) continue;
      const int error = dry_run ? 0 : platform::DeleteFromTrash(move.trash, move.name);
      if (error != 0) platform::LogFileFailure("delete from the trash", move.trash + "/files/" + move.name, error);
      gone.push_back({move.original, error});
    }
    if (!dry_run) DropWhenEmpty(runs_fd.get(), name, *record);
  }
  return gone;
}

}  // namespace vorlix
