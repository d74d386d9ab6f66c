// SPDX-License-Identifier: MIT
// What the main window's handlers need of its controls and of the program's
// boxes and dialogs. The Qt main window implements these; tests use fakes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/listed_files.h"
#include "platform/file_system.h"

namespace vorlix {

// The drive box, the folder tree, the file list that follows the tree, the
// status bar and the "Use Recycle Bin" check box.
class FolderView {
 public:
  virtual ~FolderView() = default;

  // The drive box's letter, lower case ("c").
  virtual char DriveBoxDrive() const = 0;
  virtual void SetDriveBoxDrive(char letter) = 0;

  // The tree's current folder as the system reports it ("C:\home\ann").
  virtual std::string TreeDirectory() const = 0;
  // The tree's drive letter, lower case.
  virtual char TreeDrive() const = 0;
  // Moves the tree to that drive's current directory when the letter differs
  // from the tree's drive; otherwise nothing happens. Throws EInOutError when
  // the drive cannot be entered.
  virtual void SetTreeDrive(char letter) = 0;
  // Enters a folder: a path without a drive letter is taken on the tree's
  // drive, one with a letter also moves the drive box. The file list follows.
  // Throws EInOutError when the folder cannot be entered.
  virtual void SetTreeDirectory(const std::string& path) = 0;

  // The folder the file list shows, and its entries' names in list order.
  virtual std::string FileListDirectory() const = 0;
  virtual platform::NameList FileListItems() const = 0;
  // The identity of the folder the list read when it last read one; nothing
  // when that folder could not be read.
  virtual std::optional<platform::FileIdentity> FileListIdentity() const = 0;
  // Which entries are selected, in list order.
  virtual std::vector<bool> FileListSelection() const = 0;
  // The full path of the entry that has the focus when it is selected;
  // otherwise empty.
  virtual std::string FileListFileName() const = 0;
  // Removes every entry from the list without reading the folder again.
  virtual void ClearFileList() = 0;

  virtual void SetStatusText(const std::string& text) = 0;

  virtual bool RecycleChecked() const = 0;
  virtual void SetRecycleChecked(bool checked) = 0;
};

// The hints of the fourteen folder buttons, in slot order.
class SlotHints {
 public:
  virtual ~SlotHints() = default;
  virtual std::string SlotHint(std::size_t slot) const = 0;
  virtual void SetSlotHint(std::size_t slot, const std::string& hint) = 0;
};

// The program's modal boxes. Texts break lines with LF CR.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Title "Warning", buttons Yes and No; true for Yes.
  virtual bool AskWarning(const std::string& text) = 0;
  // Title "Confirm", buttons Yes and No; true for Yes.
  virtual bool AskConfirmation(const std::string& text) = 0;
  // The application's title, button OK.
  virtual void ShowInformation(const std::string& text) = 0;
};

// The busy cursor shown over the whole screen while files are deleted, and
// the run of that file work.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void SetBusy(bool busy) = 0;
  // Runs `work` over `total` listed entries to its end, handing it a watcher
  // that hears of each entry, or nothing when no one follows the run. The
  // window may run it on another thread and keep itself drawn meanwhile,
  // taking no input; an exception that leaves `work` leaves this call.
  virtual void RunFileWork(std::size_t total, const std::function<void(DeleteWatcher*)>& work) = 0;
};

// The modal dialogs the main window's handlers show; each returns true when
// it closed with OK.
class ModalDialogs {
 public:
  virtual ~ModalDialogs() = default;
  virtual bool ShowKillAllDialog() = 0;
  virtual bool ShowCopyDestDialog() = 0;
};

// What emptying the viewed folder needs: the folder view, the boxes and the busy cursor.
class CleaningView : public FolderView, public MessageBoxes, public BusyCursor {};

// Everything together, as the main window offers it.
class MainView : public CleaningView, public SlotHints, public ModalDialogs {};

}  // namespace vorlix
