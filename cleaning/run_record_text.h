// SPDX-License-Identifier: MIT
// The text of a run record: what one cleaning run moved into the trash.
//
// A record begins with a header line naming its version and the run's start
// time. A folder line ('>' folder TAB trash TAB identity) names, once for the
// files after it, the folder they came from, the trash folder they went to
// and the folder's device and inode ("2049:131090"). Each file line then holds
// the file's name in the trash, the identities of the file and of the
// `.trashinfo` record written for it, when that record file last changed (in
// nanoseconds), the digest of the record's text and, only when it differs
// from the name in the trash, the file's own name, each after a TAB. '%',
// TAB, LF and '>' in a name or path are written as %25, %09, %0A and %3E, so
// every line is one record. A line cut short (a run killed
// mid-write) is left out. Records of version 1 lack the identities and the
// digest: their file lines hold only the two names.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/trash.h"

namespace vorlix {

// One file a run moved into the trash, as platform::TrashedAs says.
using RecordedMove = platform::TrashedAs;

// Writes the lines of a record; one at a time, as the run goes.
class RunRecordWriter {
 public:
  static std::string Header(std::time_t when);
  // The lines that record one move: a folder line when its folder, the
  // folder's identity or the trash differs from the move before, then its
  // file line.
  std::string Lines(const platform::TrashedAs& moved);

 private:
  std::string folder_;
  std::string trash_;
  std::optional<platform::FileIdentity> identity_;
};

// Reads a record line by line (each line without its LF).
class RunRecordReader {
 public:
  // Takes the first line; false when it is not a record's header.
  bool Header(std::string_view line);
  // When the run began, as the header says.
  std::time_t When() const { return when_; }
  // Takes a later line: the move it records; nothing for a folder line or a
  // line that records nothing.
  std::optional<RecordedMove> Line(std::string_view line);

 private:
  int version_ = 0;
  std::time_t when_ = 0;
  std::string folder_;
  std::string trash_;
  std::optional<platform::FileIdentity> identity_;
};

}  // namespace vorlix
