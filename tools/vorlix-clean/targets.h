// SPDX-License-Identifier: MIT
// What the settings store says is to be cleaned: the fourteen slots, the
// typed-URL list and the history folder, read as the window's Kill All reads
// them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "actions/program_state.h"
#include "settings/reg_files.h"

namespace vorlix::clean_tool {

// One folder to clean: a slot, the history folder or a folder named on the
// command line.
struct Target {
  std::string name;           // "1", "u1", "history", "folder"
  char drive = 'c';           // the drive a folder without drive letter is taken on
  std::string stored_folder;  // as stored (a slot or the history folder), or as given
  bool recycle = false;       // the delete method: into the trash or for good
  bool kill_all = false;      // ticked in the Kill All dialog's settings
  bool unset = false;         // a user slot that is not set up: Kill All skips it
};

// The settings the window would work with, read once from the store.
struct StoreSettings {
  ProgramState state;  // use-recycle flags, Kill All selection, history folder
  std::array<Target, 14> slots;
  Target history;
  bool typed_urls_present = false;
};

// Reads every setting a run needs; throws ERegFileError when the store cannot
// be read.
StoreSettings ReadStoreSettings(TRegFile& reg_file1, TRegFile& reg_file2, TRegFile& reg_file6);

// Enters a folder as the window's folder tree does (a folder without drive
// letter on the slot's drive) and gives its full DOS path; throws EInOutError
// when it cannot be entered.
std::string EnterFolder(char drive, const std::string& folder);

// The DOS path of a path given on the command line: a Linux path when it
// begins with "/", otherwise a DOS path. A Linux path is read as `cd` reads
// it ("." and ".." by name) and must lead to a folder exactly as written;
// throws EInOutError (status 3) naming the first part that is missing, or for
// a folder that no drive holds.
std::string DosPathOf(const std::string& given);

}  // namespace vorlix::clean_tool
