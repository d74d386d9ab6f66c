// SPDX-License-Identifier: MIT
// The record of each cleaning run that moves files into the trash, and what it
// makes possible: putting a run's files back, and deleting for good the files
// the program moved into the trash some days ago.
//
// Records lie in VorlixConfigDir()/runs, private to the user, one file per
// run; the newest 50 are kept. A record is written as its run goes, one
// append per file just before it moves, so a run cut short is recorded up to
// its last move.
// A file counts as the run's only while the trash still holds it under the
// recorded name with a `.trashinfo` record naming the recorded path and a
// time no earlier than the run's start, and the file and that record are the
// very ones the run left there: the same identities, and the record's text
// unchanged. Nothing else in the trash, even of the same name, is ever
// deleted. Records are read line by line, and one larger than
// kLargestRunRecord is refused unread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/trash.h"

namespace vorlix {

inline constexpr std::size_t kRunsKept = 50;
// A run of two million files of short names writes less.
inline constexpr std::uint64_t kLargestRunRecord = std::uint64_t{256} << 20;

// One recorded run, as a history lists it.
struct RecordedRun {
  std::string id;  // the record's name; later runs sort after earlier ones
  std::time_t when = 0;
  std::vector<std::string> folders;  // the folders its files came from, in run order
  std::size_t files = 0;             // files it moved into the trash
  std::size_t in_trash = 0;          // of those, still in the trash as it left them
};

// Every recorded run whose record can be read, newest first. `problems`,
// when given, gets why the record of runs, or each record that cannot be
// read, cannot be (as RunRecordProblem says it).
std::vector<RecordedRun> ListRecordedRuns(std::vector<std::string>* problems = nullptr);

// The id of the newest recorded run, whether its record can be read or not;
// empty when there is none.
std::string NewestRunId();

// Why the record of runs cannot be read, as a clause ("the record of
// cleanings in /home/ann/.config/vorlix/runs cannot be read: permission
// denied"); with an `id`, else why that run's record cannot be read ("the run
// record /home/ann/.config/vorlix/runs/ID.run cannot be read: ..."). Empty
// when it can, or when there is no such record.
std::string RunRecordProblem(const std::string& id = {});

enum class RestoreOutcome {
  kRestored,       // back at its path (on a dry run: would be)
  kOccupied,       // something stands at its path: it stays in the trash
  kFolderMissing,  // its folder is gone: it stays in the trash
  kFolderReplaced,  // its folder is reached through a link, or is another folder now: it stays in the trash
  kNotInTrash,     // no longer in the trash as the run left it: nothing done
  kFailed,         // the move failed (error says why): it stays in the trash
};

struct RestoredFile {
  std::string path;
  RestoreOutcome outcome = RestoreOutcome::kFailed;
  int error = 0;
};

// Told, as a restore goes, how many of the run's recorded files it has dealt
// with and how many there are; last with both the same.
using RestoreProgress = std::function<void(std::size_t done, std::size_t total)>;

// Puts every file of the run `id` that is still in the trash back at its own
// path, never over anything there and only into the folder it came from,
// reached without links; with `dry_run` nothing moves. Nothing when there is
// no such run or its record cannot be read. A record none of whose files is
// left in the trash afterwards is removed. A file of a record written before
// the marks were kept comes back while its `.trashinfo` still names its path
// and a time since the run began. `progress`, when given, is told after each
// file; it is called on the thread the restore runs on.
std::optional<std::vector<RestoredFile>> RestoreRun(const std::string& id, bool dry_run,
                                                    const RestoreProgress& progress = {});

// Why an old enough file under a recorded name stays in the trash.
enum class LetGoKept {
  kNo,             // it is the run's: deleted
  kPutThereSince,  // another program put a file there since, under that name and path
  kRecordTooOld,   // its run's record keeps no marks to show it is the run's
};

struct LetGoFile {
  std::string path;  // where it was moved from
  int error = 0;     // 0: deleted for good (on a dry run: would be), unless kept
  LetGoKept kept = LetGoKept::kNo;
};

// Deletes for good every recorded file still in the trash as its run left it
// that was moved there `days` or more days ago; with `dry_run` nothing is
// deleted. What is old enough under a recorded name but not provably the
// run's is listed as kept. Records with nothing left in the trash are removed.
std::vector<LetGoFile> LetGoOlderThan(int days, bool dry_run);

class RunRecord;

// Opens a run's record for as long as it lives: every file moved into the
// trash meanwhile, on any thread, is recorded in it. A scope opened inside
// another joins the outer run. The record file is made at the first move, so a
// run that trashes nothing leaves no record. An outer scope with `let_go`
// first deletes the files the stored setting lets go of.
class RunRecordScope {
 public:
  explicit RunRecordScope(bool let_go = true);
  RunRecordScope(const RunRecordScope&) = delete;
  RunRecordScope& operator=(const RunRecordScope&) = delete;
  ~RunRecordScope();

  // What went wrong with the record and the letting go, as sentences for the
  // user joined by "; ": the run could not be recorded (so it cannot be
  // undone), old files could not be deleted from the trash. Empty when
  // nothing did, and for a scope that joined an outer one.
  std::string Problems() const;

 private:
  std::unique_ptr<RunRecord> own_;  // empty when joining an outer scope
  std::string let_go_problem_;
};

// Records a move into the trash, just before it happens, in the open run's
// record, if one is open. A move that then fails is found missing from the
// trash and ignored.
void RecordTrashMove(const platform::TrashedAs& moving);

}  // namespace vorlix
