// SPDX-License-Identifier: MIT
// Every setting the program keeps: the keys its settings components reach,
// each value name, and each reader's default, kept here as data once.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/reg_files.h"

namespace vorlix {

// The key of each settings component, by window and instance name.
struct SettingsStore {
  std::string_view window;
  std::string_view instance;
  TRootKey root;
  std::string_view key;
};
inline constexpr std::string_view kProgramKey = "Software\\Tolvex\\Vorlix 5.0";
inline constexpr std::string_view kCopyDestKey = "Software\\Tolvex\\Vorlix";
inline constexpr std::string_view kInternetExplorerKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr std::string_view kUrlHistoryKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Url History";
extern const std::array<SettingsStore, 6> kSettingsStores;
// Sets a component's RootKey and Key from its row of kSettingsStores.
void BindSettingsStore(TRegFile& reg_file, std::string_view window, std::string_view instance);

// The program's multi-line texts break lines with LF then CR.
inline constexpr std::string_view kLineBreak = "\n\r";
// A button whose hint holds this mark is an unset slot.
inline constexpr std::string_view kUnsetMark = "Not setup yet";
inline constexpr std::string_view kUnsetText =
    "Not setup yet, select folder and\n\rright click this button to setup.";
// The user buttons' design hint, and the hint of a cleared IE button.
inline constexpr std::string_view kSaveOrSelectHint =
    "Right click to save a selected folder, left click to select user folder for deletion.";

inline constexpr std::string_view kDriveDefault = "c";
// IE button 1's folder as start-up reads it, before and after cache detection.
inline constexpr std::string_view kStartFolderDefault =
    "c:\\windows\\Temporary Internet Files\\Content.IE5\\cache1";
inline constexpr std::string_view kDetectedStartFolderDefault =
    "c:\\windows\\Temporary Internet Files\\cache1";

// Outside the program's key.
inline constexpr std::string_view kTypedUrlsKey = "TypedURLs";
inline constexpr std::string_view kHistoryFolderValue = "Directory";
inline constexpr std::string_view kHistoryFolderDefault = "c:\\windows\\History";
inline constexpr std::string_view kLastCopyToFolderValue = "Last Copy To Folder";
inline constexpr std::string_view kLastCopyToFolderDefault = "c:\\windows\\Temp";

// Kill All selections beside the fourteen slots'.
inline constexpr std::string_view kDeleteTypedUrlsValue = "Delete IE Typed URLs";
inline constexpr std::string_view kDeleteHistoryValue = "Delete IE History List";

// Who reads a slot's folder value: each has its own default.
enum class FolderReader { kSlotLoad, kKillAll };

enum class SlotKind { kInternetExplorer, kUser };

// One of the fourteen folder buttons and the settings behind it.
struct FolderSlot {
  SlotKind kind;
  int number;                          // 1..8 for IE buttons, 1..6 for user buttons
  std::string_view prefix;             // "IE Button 3", "User Button 5"
  std::string_view button;             // main-window button: "SpeedButton05", "btnU1"
  std::string_view caption;            // "5", "U1"
  std::string_view design_hint;
  std::string_view use_recycle_value;  // "IE 5 Use Recycle"
  std::string_view kill_all_value;     // "Delete all 5 selected"
  std::string_view delete_method_check_box;  // Delete Method dialog: "CheckBox11"
  std::string_view kill_all_check_box;       // Kill All dialog: "cb05"
  std::array<std::string_view, 2> default_folders;  // by FolderReader
  std::string_view hint_after_clear;

  std::string DriveValue() const { return std::string(prefix) + " Default Drive"; }
  std::string FolderValue() const { return std::string(prefix) + " Default Folder"; }
  std::string HintValue() const { return std::string(prefix) + " Hint"; }
  std::string_view DefaultFolder(FolderReader reader) const {
    return default_folders[static_cast<std::size_t>(reader)];
  }
};

// IE 1 to IE 8, then U1 to U6: the order of the use-recycle flags.
extern const std::array<FolderSlot, 14> kFolderSlots;

}  // namespace vorlix
