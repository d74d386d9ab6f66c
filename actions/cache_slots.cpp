// SPDX-License-Identifier: MIT
// Stores chosen cache folders in the user buttons that are still free, each as a right-click save of
// that folder would store it.
#include "actions/cache_slots.h"

#include <cctype>

#include "actions/slot_folder.h"
#include "settings/settings_catalogue.h"

namespace vorlix {
namespace {

void AddLine(std::string& text, std::string_view line) {
  if (!text.empty()) text += kLineBreak;
  text += line;
}

std::string Question(const CacheSlotPlan& plan) {
  std::string text;
  AddLine(text, "You are about to save the following directories as the defaults for these buttons:");
  for (const CacheSlotPlan::Assignment& assignment : plan.stored) {
    AddLine(text, std::string(kFolderSlots[assignment.slot].caption) + ": " + assignment.folder);
  }
  if (!plan.left_out.empty()) {
    AddLine(text, "No user button is free for these, so they are not saved:");
    for (const std::string& folder : plan.left_out) AddLine(text, folder);
  }
  AddLine(text, "Is this what you want to do? ");
  return text;
}

}  // namespace

std::vector<std::size_t> FreeUserSlots(const SlotHints& hints) {
  std::vector<std::size_t> free;
  for (std::size_t slot = 0; slot < kFolderSlots.size(); ++slot) {
    if (kFolderSlots[slot].kind == SlotKind::kUser && hints.SlotHint(slot).find(kUnsetMark) != std::string::npos) {
      free.push_back(slot);
    }
  }
  return free;
}

CacheSlotPlan PlanCacheSlots(const std::vector<std::string>& dos_folders, const SlotHints& hints) {
  const std::vector<std::size_t> free = FreeUserSlots(hints);
  CacheSlotPlan plan;
  for (std::size_t i = 0; i < dos_folders.size(); ++i) {
    if (i < free.size()) {
      plan.stored.push_back({free[i], dos_folders[i]});
    } else {
      plan.left_out.push_back(dos_folders[i]);
    }
  }
  return plan;
}

bool StoreCacheFolders(const std::vector<std::string>& dos_folders, SlotHints& hints, MessageBoxes& boxes,
                       TRegFile& reg_file1) {
  if (dos_folders.empty()) return false;
  const CacheSlotPlan plan = PlanCacheSlots(dos_folders, hints);
  if (plan.stored.empty()) {
    boxes.ShowInformation("Every user button is set up already, so no folder was saved. Clear a button "
                          "(click it with Shift held) to make room.");
    return false;
  }
  if (!boxes.AskConfirmation(Question(plan))) return false;
  std::string report;
  for (const CacheSlotPlan::Assignment& assignment : plan.stored) {
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(assignment.folder.front())));
    StoreSlotFolder(assignment.slot, drive, assignment.folder, hints, reg_file1);
    AddLine(report, std::string(kFolderSlots[assignment.slot].prefix) + " Settings Saved.");
  }
  boxes.ShowInformation(report);
  return true;
}

}  // namespace vorlix
