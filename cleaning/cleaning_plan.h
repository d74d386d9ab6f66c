// SPDX-License-Identifier: MIT
// What a cleaning run cleans and how, read from the settings store: the
// fourteen folder slots, the typed-URL list and the history folder, with the
// rules Kill All applies to them. The window's Kill All and vorlix-clean both
// build their runs here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

// The sixteen Kill All items: the fourteen folder slots in slot order, then these two.
inline constexpr std::size_t kKillAllTypedUrlsItem = 14;
inline constexpr std::size_t kKillAllHistoryItem = 15;
inline constexpr std::size_t kKillAllItemCount = 16;

using SlotFlags = std::array<bool, kFolderSlots.size()>;
// One flag an item of Kill All, in its order: ticked, or taken by a run.
using KillAllTicks = std::array<bool, kKillAllItemCount>;

enum class TargetKind {
  kFolder,     // the regular files directly in a folder
  kTypedUrls,  // the browser's typed-URL key
};

// One step of a run: a folder with its delete method, or the typed-URL list.
struct CleaningTarget {
  TargetKind kind = TargetKind::kFolder;
  std::string name;      // "1".."8", "u1".."u6", "history", "typed-urls", "folder"
  char drive = 0;        // a slot's drive, for a folder without drive letter; 0: none of its own
  std::string folder;    // a DOS path as stored; empty names no folder
  bool recycle = false;  // into the trash, or for good
  bool kill_all = false; // ticked in the Kill All dialog's settings
  bool unset = false;    // a user slot that is not set up
};

// A slot's stored drive and folder, with the given reader's folder default.
// A drive value emptied outside the program counts as the default drive.
struct SlotPlace {
  char drive;
  std::string folder;
};
SlotPlace ReadSlotPlace(const FolderSlot& slot, FolderReader reader, TRegFile& reg_file1);

// The fourteen stored use-recycle flags and the sixteen stored Kill All
// ticks, false when missing.
SlotFlags ReadRecycleFlags(TRegFile& reg_file1);
KillAllTicks ReadKillAllTicks(TRegFile& reg_file1);

// A user slot whose hint carries the unset mark; IE slots are never unset.
bool IsUnsetUserSlot(const FolderSlot& slot, const std::string& hint);

// The name a slot index is written with: "1".."8", "u1".."u6".
std::string SlotName(std::size_t index);

// Everything the store holds for a run: each slot as Kill All reads it (its
// place, its method, its tick, whether it is set up by its stored hint), the
// history folder (no drive of its own; the method of IE button 1, which the
// window's check box shows at start-up) and the typed-URL list.
struct StoredTargets {
  std::array<CleaningTarget, kFolderSlots.size()> slot_targets;
  CleaningTarget history;
  CleaningTarget typed_urls;
};
StoredTargets ReadStoredTargets(TRegFile& reg_file1, TRegFile& reg_file6);

// The targets of a run in Kill All order: each chosen slot in slot order
// (unset ones and ones without folder too: the run skips them), then the
// typed-URL list, then the history folder. The history folder goes the way
// the last slot that is cleaned goes, as the window's check box is left by
// it; with no such slot it keeps its own method.
// `chosen`: which items the run takes, in Kill All item order.
std::vector<CleaningTarget> PlanRun(const StoredTargets& stored, const KillAllTicks& chosen);

}  // namespace vorlix
