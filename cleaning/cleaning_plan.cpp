// SPDX-License-Identifier: MIT
// What a cleaning run cleans and how.

#include "cleaning/cleaning_plan.h"

#include "settings/setting_values.h"

namespace vorlix {
namespace {

constexpr std::size_t kIeSlots = 8;

}  // namespace

SlotPlace ReadSlotPlace(const FolderSlot& slot, FolderReader reader, TRegFile& reg_file1) {
  const std::string drive_text = ReadText(reg_file1, slot.DriveValue(), kDriveDefault);
  const char drive = drive_text.empty() ? kDriveDefault.front() : drive_text.front();
  return {drive, ReadText(reg_file1, slot.FolderValue(), slot.DefaultFolder(reader))};
}

SlotFlags ReadRecycleFlags(TRegFile& reg_file1) {
  SlotFlags flags{};
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    flags[i] = ReadFlag(reg_file1, std::string(kFolderSlots[i].use_recycle_value));
  }
  return flags;
}

KillAllTicks ReadKillAllTicks(TRegFile& reg_file1) {
  KillAllTicks ticks{};
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    ticks[i] = ReadFlag(reg_file1, std::string(kFolderSlots[i].kill_all_value));
  }
  ticks[kKillAllTypedUrlsItem] = ReadFlag(reg_file1, std::string(kDeleteTypedUrlsValue));
  ticks[kKillAllHistoryItem] = ReadFlag(reg_file1, std::string(kDeleteHistoryValue));
  return ticks;
}

bool IsUnsetUserSlot(const FolderSlot& slot, const std::string& hint) {
  return slot.kind == SlotKind::kUser && hint.find(kUnsetMark) != std::string::npos;
}

std::string SlotName(std::size_t index) {
  if (index < kIeSlots) return std::to_string(index + 1);
  return std::string("u").append(std::to_string(index - kIeSlots + 1));
}

StoredTargets ReadStoredTargets(TRegFile& reg_file1, TRegFile& reg_file6) {
  StoredTargets stored;
  const SlotFlags recycle = ReadRecycleFlags(reg_file1);
  const KillAllTicks ticks = ReadKillAllTicks(reg_file1);
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const FolderSlot& slot = kFolderSlots[i];
    const SlotPlace place = ReadSlotPlace(slot, FolderReader::kKillAll, reg_file1);
    // The user buttons' hints as the window loads them at activation.
    const std::string hint = slot.kind == SlotKind::kUser ? ReadText(reg_file1, slot.HintValue(), kUnsetText) : "";
    stored.slot_targets[i] = {TargetKind::kFolder, SlotName(i), place.drive, place.folder, recycle[i], ticks[i],
                       IsUnsetUserSlot(slot, hint)};
  }
  stored.history = {TargetKind::kFolder, "history", 0,
                    ReadText(reg_file6, std::string(kHistoryFolderValue), kHistoryFolderDefault), recycle[0],
                    ticks[kKillAllHistoryItem], false};
  stored.typed_urls = {TargetKind::kTypedUrls, "typed-urls", 0, {}, false, ticks[kKillAllTypedUrlsItem], false};
  return stored;
}

std::vector<CleaningTarget> PlanRun(const StoredTargets& stored, const KillAllTicks& chosen) {
  std::vector<CleaningTarget> plan;
  bool history_recycle = stored.history.recycle;
  for (std::size_t i = 0; i < stored.slot_targets.size(); ++i) {
    if (!chosen[i]) continue;
    const CleaningTarget& slot = stored.slot_targets[i];
    plan.push_back(slot);
    if (!slot.unset && !slot.folder.empty()) history_recycle = slot.recycle;
  }
  if (chosen[kKillAllTypedUrlsItem]) plan.push_back(stored.typed_urls);
  if (chosen[kKillAllHistoryItem]) {
    plan.push_back(stored.history);
    plan.back().recycle = history_recycle;
  }
  return plan;
}

}  // namespace vorlix
