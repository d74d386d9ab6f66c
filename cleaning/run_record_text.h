// SPDX-License-Identifier: MIT
// The text of a run record: what one cleaning run moved into the trash.
//
// A record begins with a header line naming the run's start time. A folder
// line ('>' folder TAB trash) names, once for the files after it, the folder
// they came from and the trash folder they went to; each file line then holds
// the file's name in the trash and, only when it differs, TAB and its own
// name. '%', TAB, LF and '>' in a name or path are written as %25, %09, %0A
// and %3E, so every line is one record. A line cut short (a run killed
// mid-write) is left out.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/trash.h"

namespace vorlix {

// One file a run moved into the trash: the trash folder, its name in the
// trash's files/ folder, and the path it was moved from.
using RecordedMove = platform::TrashedAs;

// A run record read back.
struct RecordedMoves {
  std::time_t when = 0;  // when the run began
  std::vector<RecordedMove> moves;
};

// Writes the lines of a record; one at a time, as the run goes.
class RunRecordWriter {
 public:
  static std::string Header(std::time_t when);
  // The lines that record one move: a folder line when its folder or trash
  // differs from the move before, then its file line.
  std::string Lines(const platform::TrashedAs& moved);

 private:
  std::string folder_;
  std::string trash_;
};

// Reads a record's text; nothing when it does not begin with a header.
std::optional<RecordedMoves> ReadRunRecord(std::string_view text);

}  // namespace vorlix
