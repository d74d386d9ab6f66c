// SPDX-License-Identifier: MIT
// What a command did, as text for people or as one JSON object for programs.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/text_utils.h"
#include "tools/vorlix-clean/cleaner.h"

namespace vorlix::clean_tool {

struct TypedUrlsResult {
  bool kill_all = false;  // ticked in the Kill All dialog's settings
  bool present = false;   // the key was there when the command began
  bool deleted = false;
};

struct Report {
  std::string command;  // "list", "run", "folder"
  bool dry_run = false;
  bool interrupted = false;
  int exit_code = 0;
  std::vector<ItemResult> items;
  std::optional<TypedUrlsResult> typed_urls;  // when the command looked at them
  std::optional<std::uint64_t> space_regained;  // the disk space the run's deletions gave back
};

// The disk space the items' deletions gave back, over the run: the blocks of
// each file deleted for good whose last link went.
std::uint64_t SpaceRegained(const std::vector<ItemResult>& items);

void WriteText(const Report& report, std::ostream& out);
// A name or path that is not valid UTF-8 has its bytes in hex beside it
// ("path_bytes", "failed_bytes" ...), as its JSON string cannot give them back.
void WriteJson(const Report& report, std::ostream& out);

// ,"key":"text" and, when the text is not valid UTF-8 (a byte string of Linux
// that the JSON string alone cannot give back), ,"key_bytes":"<hex>" beside it.
void WriteJsonText(const char* key, const std::string& text, std::ostream& out);

// ,"key":[names] and, when any name is not valid UTF-8, ,"key_bytes":[...]
// beside it: one entry a name, null for a valid one, its bytes in hex otherwise.
void WriteNames(const char* key, const platform::NameList& names, std::ostream& out);

// A text as a JSON string: valid UTF-8 as it is, control characters escaped,
// and each byte that is not part of valid UTF-8 as \u00XX (the byte's value).
std::string JsonString(const std::string& text);

}  // namespace vorlix::clean_tool
