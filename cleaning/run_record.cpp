// SPDX-License-Identifier: MIT
// The record of each cleaning run that moves files into the trash.

#include "cleaning/run_record.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <utility>
#include <mutex>

#include "cleaning/let_go_setting.h"
#include "cleaning/run_record_text.h"
#include "platform/file_log.h"
#include "platform/private_files.h"
#include "platform/status.h"
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

// Longer than any line a record holds: two escaped paths and a few numbers.
constexpr std::size_t kLongestRecordLine = 64 * 1024;

// How a recorded move stands in the trash now.
enum class Standing {
  kGone,       // nothing under its name names its path since its run began
  kAsLeft,     // the very file and record the run left
  kUnproven,   // its record, older than the marks, cannot tell
  kPutThere,   // under its name and path, but another program put it there since
};

// Whether a standing still counts as the run's file: the one the run left,
// or, in a record without marks, one that looks so.
bool CountsAsRuns(Standing standing) { return standing == Standing::kAsLeft || standing == Standing::kUnproven; }

// The trash folder of the moves being read, opened once while its moves
// follow one another: to look at them, put them back or delete them.
class TrashAtHand {
 public:
  const platform::TrashLook& For(const std::string& trash) {
    if (!look_ || look_->Trash() != trash) look_.emplace(trash);
    return *look_;
  }

 private:
  std::optional<platform::TrashLook> look_;
};

Standing StandingOf(const RecordedMove& move, std::time_t run_began, TrashAtHand& trash,
                    std::time_t* deleted = nullptr) {
  const std::optional<platform::TrashEntry> entry = trash.For(move.trash).Entry(move.name);
  if (!entry || entry->info.path != move.original || entry->info.deleted + kClockSlack < run_began) {
    return Standing::kGone;
  }
  if (deleted != nullptr) *deleted = entry->info.deleted;
  if (!move.mark) return Standing::kUnproven;
  return entry->mark == *move.mark ? Standing::kAsLeft : Standing::kPutThere;
}

// A record read: whether there is one at all, and why it cannot be read.
struct RecordRead {
  bool found = false;   // false for an empty record (a run killed before its first line)
  std::string problem;  // empty when read whole
};

// Why a record cannot be read, from the error of its reading (0 for a first
// line that is no record's header).
std::string UnreadableReason(int error) {
  if (error == EFBIG) {
    return "it is larger than " + std::to_string(kLargestRunRecord >> 20) + " MiB, more than any run writes";
  }
  if (error == 0 || error == EBADMSG) return "it is not a run record";
  return platform::ReasonText(error);
}

// Reads the record `name` line by line, each move to `each`; without `each`
// only the header is read. `reader` keeps what the header says.
RecordRead ReadRecord(int runs_fd, const std::string& name, RunRecordReader& reader,
                      const std::function<void(const RecordedMove&)>& each = {}) {
  RecordRead read;
  bool header = true;
  bool not_record = false;
  const auto take = [&](std::string_view line) {
    read.found = true;
    if (std::exchange(header, false)) {
      not_record = !reader.Header(line);
      return !not_record && static_cast<bool>(each);
    }
    if (const std::optional<RecordedMove> move = reader.Line(line)) each(*move);
    return true;
  };
  const int error = platform::ReadLines(runs_fd, name, kLargestRunRecord, kLongestRecordLine, take);
  // A record gone meanwhile (or never there) is no record.
  if ((error == 0 && !not_record) || error == ENOENT) return read;
  const std::string path = RunsPath() + "/" + name;
  if (error != 0) platform::LogFileFailure("read the run record", path, error);
  read.found = true;
  read.problem = "the run record " + path + " cannot be read: " + UnreadableReason(error);
  return read;
}

// Removes a record none of whose files is left in the trash.
void DropWhenEmpty(int runs_fd, const std::string& name) {
  RunRecordReader reader;
  TrashAtHand trash;
  bool left = false;
  const RecordRead read = ReadRecord(runs_fd, name, reader, [&](const RecordedMove& move) {
    left = left || CountsAsRuns(StandingOf(move, reader.When(), trash));
  });
  if (left || !read.problem.empty()) return;
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
  return Counted(failed, "old file") + " could not be deleted from the trash: " + platform::ReasonText(error);
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
  problem_ = "this cleaning could not be recorded for undoing: " + path + ": " + platform::ReasonText(error);
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

std::vector<RecordedRun> ListRecordedRuns(std::vector<std::string>* problems) {
  std::vector<RecordedRun> runs;
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) {
    if (problems != nullptr) problems->push_back(RunRecordProblem());
    return runs;
  }
  const std::vector<std::string> names = RecordNames(runs_fd.get());
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    RunRecordReader reader;
    TrashAtHand trash;
    RecordedRun run{IdOf(*name), 0, {}, 0, 0};
    const RecordRead read = ReadRecord(runs_fd.get(), *name, reader, [&](const RecordedMove& move) {
      const std::string folder = move.original.substr(0, move.original.rfind('/'));
      if (run.folders.empty() || run.folders.back() != folder) run.folders.push_back(folder);
      ++run.files;
      if (CountsAsRuns(StandingOf(move, reader.When(), trash))) ++run.in_trash;
    });
    if (!read.problem.empty() && problems != nullptr) problems->push_back(read.problem);
    if (!read.found || !read.problem.empty()) continue;
    run.when = reader.When();
    runs.push_back(std::move(run));
  }
  return runs;
}

std::string NewestRunId() {
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) return {};
  const std::vector<std::string> names = RecordNames(runs_fd.get());
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    RunRecordReader reader;
    if (ReadRecord(runs_fd.get(), *name, reader).found) return IdOf(*name);
  }
  return {};
}

std::string RunRecordProblem(const std::string& id) {
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) {
    const int error = errno;
    return "the record of cleanings in " + RunsPath() + " cannot be read: " + platform::ReasonText(error);
  }
  if (id.empty() || id.find('/') != std::string::npos) return {};
  RunRecordReader reader;
  return ReadRecord(runs_fd.get(), id + std::string(kRecordEnding), reader).problem;
}

std::optional<std::vector<RestoredFile>> RestoreRun(const std::string& id, bool dry_run,
                                                    const RestoreProgress& progress) {
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok() || id.empty() || id.find('/') != std::string::npos) return std::nullopt;
  const std::string name = id + std::string(kRecordEnding);
  // The moves are counted first, from the record alone: quick beside looking
  // each one up in the trash.
  std::size_t total = 0;
  if (progress) {
    RunRecordReader counter;
    ReadRecord(runs_fd.get(), name, counter, [&](const RecordedMove& /*move*/) { ++total; });
  }
  std::vector<RestoredFile> files;
  RunRecordReader reader;
  TrashAtHand trash;
  const RecordRead read = ReadRecord(runs_fd.get(), name, reader, [&](const RecordedMove& move) {
    RestoredFile file{move.original, RestoreOutcome::kNotInTrash, 0};
    if (CountsAsRuns(StandingOf(move, reader.When(), trash))) {
      switch (trash.For(move.trash).PutBack(move, dry_run, file.error)) {
        case platform::PutBackResult::kDone: file.outcome = RestoreOutcome::kRestored; break;
        case platform::PutBackResult::kOccupied: file.outcome = RestoreOutcome::kOccupied; break;
        case platform::PutBackResult::kFolderMissing: file.outcome = RestoreOutcome::kFolderMissing; break;
        case platform::PutBackResult::kFolderReplaced: file.outcome = RestoreOutcome::kFolderReplaced; break;
        case platform::PutBackResult::kFailed: file.outcome = RestoreOutcome::kFailed; break;
      }
    }
    files.push_back(std::move(file));
    // A run still going may add moves after the count.
    if (progress) progress(files.size(), std::max(total, files.size()));
  });
  // A record that could not be read at all gives nothing; one cut short by
  // a failing read gives what was put back before it.
  if (!read.found || (!read.problem.empty() && files.empty())) return std::nullopt;
  if (!dry_run) DropWhenEmpty(runs_fd.get(), name);
  return files;
}

std::vector<LetGoFile> LetGoOlderThan(int days, bool dry_run) {
  std::vector<LetGoFile> gone;
  const platform::UniqueFd runs_fd = platform::PrivateFolder(RunsPath());
  if (!runs_fd.ok()) return gone;
  const std::time_t latest = std::time(nullptr) - static_cast<std::time_t>(days) * 86400;
  for (const std::string& name : RecordNames(runs_fd.get())) {
    RunRecordReader reader;
    TrashAtHand trash;
    ReadRecord(runs_fd.get(), name, reader, [&](const RecordedMove& move) {
      std::time_t deleted = 0;
      const Standing standing = StandingOf(move, reader.When(), trash, &deleted);
      if (standing == Standing::kGone || deleted > latest) return;
      if (standing != Standing::kAsLeft) {
        gone.push_back({move.original, 0,
                        standing == Standing::kPutThere ? LetGoKept::kPutThereSince : LetGoKept::kRecordTooOld});
        return;
      }
      const int error = dry_run ? 0 : trash.For(move.trash).Delete(move.name);
      if (error != 0) platform::LogFileFailure("delete from the trash", move.trash + "/files/" + move.name, error);
      gone.push_back({move.original, error, LetGoKept::kNo});
    });
    if (!dry_run) DropWhenEmpty(runs_fd.get(), name);
  }
  return gone;
}

}  // namespace vorlix
