// SPDX-License-Identifier: MIT
// The main window for the cleaning handlers, over real folders: the tree is
// the drive layer's current directory, the file list reads the folder when the
// tree moves (as the window's list does), and every box and view change is
// recorded.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/main_view.h"

namespace vorlix::test {

class FakeMainView : public MainView {
 public:
  FakeMainView();

  char DriveBoxDrive() const override { return drive_box_; }
  void SetDriveBoxDrive(char letter) override;
  std::string TreeDirectory() const override;
  char TreeDrive() const override;
  void SetTreeDrive(char letter) override;
  void SetTreeDirectory(const std::string& path) override;
  std::string FileListDirectory() const override { return list_dir_; }
  platform::NameList FileListItems() const override { return items; }
  std::optional<platform::FileIdentity> FileListIdentity() const override { return list_identity_; }
  std::vector<bool> FileListSelection() const override { return std::vector<bool>(items.size()); }
  std::string FileListFileName() const override { return {}; }
  void ClearFileList() override;
  void SetStatusText(const std::string& text) override { status_texts.push_back(text); }
  bool RecycleChecked() const override { return recycle; }
  void SetRecycleChecked(bool checked) override;

  std::string SlotHint(std::size_t slot) const override { return hints.at(slot); }
  void SetSlotHint(std::size_t slot, const std::string& hint) override { hints.at(slot) = hint; }

  bool AskWarning(const std::string& text) override;
  bool AskConfirmation(const std::string& text) override;
  void ShowInformation(const std::string& text) override { information.push_back(text); }
  void SetBusy(bool busy) override { busy_changes.push_back(busy); }
  // Runs the work inline, as a window without a second thread would.
  void RunFileWork(std::size_t /*total*/, const std::function<void(DeleteWatcher*)>& work) override { work(nullptr); }

  bool ShowKillAllDialog() override;
  bool ShowCopyDestDialog() override { return false; }

  // Reads the tree's folder into the file list again.
  void ReadFileList();

  std::vector<std::string> items;            // the file list's entries
  bool recycle = false;                      // "Use Recycle Bin"
  std::vector<std::string> hints;            // the fourteen slot hints, design hints at first
  bool answer = true;                        // the answer to every question
  std::function<void()> while_asking;        // runs while a warning is open
  std::vector<std::string> questions;        // warnings and confirmations asked
  std::vector<std::string> information;      // information boxes shown
  std::vector<std::string> status_texts;     // status bar texts in order
  std::vector<bool> recycle_changes;         // every SetRecycleChecked
  std::vector<bool> busy_changes;            // busy cursor on and off
  std::vector<std::string> cleaned_folders;  // the tree's folder at each list clear
  bool dialog_result = true;                 // how the Kill All dialog closes
  int dialogs_shown = 0;

 private:
  char drive_box_ = 'c';
  std::string list_dir_;
  std::optional<platform::FileIdentity> list_identity_;
};

}  // namespace vorlix::test
