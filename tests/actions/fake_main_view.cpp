// SPDX-License-Identifier: MIT

#include "tests/actions/fake_main_view.h"

#include "cleaning/listed_files.h"
#include "platform/ascii.h"
#include "platform/drive_paths.h"
#include "settings/settings_catalogue.h"
#include "support/in_out_error.h"

namespace vorlix::test {

FakeMainView::FakeMainView() {
  for (const FolderSlot& slot : kFolderSlots) {
    hints.emplace_back(slot.kind == SlotKind::kUser ? kUnsetText : slot.design_hint);
  }
  list_dir_ = platform::GetCurrentDir();
}

void FakeMainView::SetDriveBoxDrive(char letter) { drive_box_ = platform::AsciiLower(letter); }

std::string FakeMainView::TreeDirectory() const { return platform::GetCurrentDir(); }

char FakeMainView::TreeDrive() const { return platform::AsciiLower(platform::GetCurrentDir()[0]); }

void FakeMainView::SetTreeDrive(char letter) {
  if (platform::AsciiLower(letter) == TreeDrive()) return;
  ChDir(std::string{letter, ':'});
  ReadFileList();
}

void FakeMainView::SetTreeDirectory(const std::string& path) {
  const bool has_drive = path.size() >= 2 && path[1] == ':';
  ChDir(has_drive ? path : std::string{TreeDrive(), ':'} + path);
  if (has_drive) drive_box_ = platform::AsciiLower(path[0]);
  ReadFileList();
}

void FakeMainView::ClearFileList() {
  cleaned_folders.push_back(list_dir_);
  items.clear();
}

void FakeMainView::SetRecycleChecked(bool checked) {
  recycle = checked;
  recycle_changes.push_back(checked);
}

bool FakeMainView::AskWarning(const std::string& text) {
  questions.push_back(text);
  if (while_asking) while_asking();
  return answer;
}

bool FakeMainView::AskConfirmation(const std::string& text) {
  questions.push_back(text);
  return answer;
}

bool FakeMainView::ShowKillAllDialog() {
  ++dialogs_shown;
  return dialog_result;
}

void FakeMainView::ReadFileList() {
  ListedFolder listed = ReadListedFolder(platform::GetCurrentDir());
  list_dir_ = std::move(listed.folder);
  list_identity_ = listed.identity;
  items.assign(listed.names.begin(), listed.names.end());
}

}  // namespace vorlix::test
