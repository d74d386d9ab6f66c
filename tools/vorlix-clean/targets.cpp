// SPDX-License-Identifier: MIT
// What the settings store says is to be cleaned.

#include "tools/vorlix-clean/targets.h"

#include "actions/delete_method.h"
#include "actions/kill_all.h"
#include "actions/kill_all_selection.h"
#include "actions/slot_folder.h"
#include "platform/drive_paths.h"
#include "platform/host_folders.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/in_out_error.h"
#include "tools/vorlix-clean/options.h"

namespace vorlix::clean_tool {
namespace {

constexpr int kPathNotFound = 3;

// The user buttons' hints as the window loads them at activation.
class StoredHints : public SlotHints {
 public:
  explicit StoredHints(TRegFile& reg_file1) {
    for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
      if (kFolderSlots[i].kind == SlotKind::kUser) {
        hints_[i] = ReadText(reg_file1, kFolderSlots[i].HintValue(), kUnsetText);
      }
    }
  }
  std::string SlotHint(std::size_t slot) const override { return hints_[slot]; }
  void SetSlotHint(std::size_t slot, const std::string& hint) override { hints_[slot] = hint; }

 private:
  std::array<std::string, 14> hints_;
};

}  // namespace

StoreSettings ReadStoreSettings(TRegFile& reg_file1, TRegFile& reg_file2, TRegFile& reg_file6) {
  StoreSettings settings;
  LoadUseRecycleFlags(settings.state, reg_file1);
  const auto boxes = ReadKillAllBoxes(reg_file1);
  for (std::size_t i = 0; i < boxes.size(); ++i) settings.state.kill_all[i] = boxes[i].checked;
  const StoredHints hints(reg_file1);
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const SlotFolder place = ReadSlotFolder(kFolderSlots[i], FolderReader::kKillAll, reg_file1);
    settings.slots[i] = {SlotName(i), place.drive, place.folder, settings.state.use_recycle[i],
                         settings.state.kill_all[i], IsUnsetUserSlot(kFolderSlots[i], i, hints)};
  }
  settings.state.history_folder = ReadText(reg_file6, std::string(kHistoryFolderValue), kHistoryFolderDefault);
  // The window cleans the history folder with the check box as it stands;
  // at start-up that shows IE button 1's method.
  settings.history = {"history", 'c', settings.state.history_folder, settings.state.use_recycle[0],
                      settings.state.kill_all[kKillAllHistoryItem], false};
  settings.typed_urls_present = reg_file2.KeyExists(std::string(kTypedUrlsKey));
  return settings;
}

std::string EnterFolder(char drive, const std::string& folder) {
  ChDir(std::string{drive, ':'});
  const bool has_drive = folder.size() >= 2 && folder[1] == ':';
  ChDir(has_drive ? folder : std::string{drive, ':'} + folder);
  return platform::GetCurrentDir();
}

std::string DosPathOf(const std::string& given) {
  if (!given.starts_with('/')) return given;
  // Read as `cd` reads it: "." and ".." by name; the program's paths take "\"
  // as a separator too.
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = 0; i <= given.size(); ++i) {
    if (i < given.size() && given[i] != '/' && given[i] != '\\') {
      part += given[i];
      continue;
    }
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  }
  // Every part must be there exactly as written: a Linux path is never
  // matched in another letter case, and the first part missing is named.
  std::string host = "/";
  for (const std::string& name : parts) {
    const std::string next = platform::JoinHostPath(host, name);
    if (!platform::RealFolder(next)) throw EInOutError(kPathNotFound, given, host + " holds no folder " + name);
    host = next;
  }
  const std::optional<std::string> dos = platform::HostToDos(host);
  if (!dos) throw EInOutError(kPathNotFound, given, "no drive holds it");
  return *dos;
}

}  // namespace vorlix::clean_tool
