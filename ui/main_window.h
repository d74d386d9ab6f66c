// SPDX-License-Identifier: MIT
// The main window: the folder buttons and cleaning buttons on the top panel,
// the drive box, folder tree and file list, the status bar and the menu. It
// offers its controls to the handlers through MainView.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <string>

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "support/exec_file.h"
#include "support/single_instance.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace vorlix {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class SlotButton;

inline constexpr const char* kMainCaption = "Vorlix Pro 5.0 Copyright \u00a9 1999-2026 Tolvex";

class TForm1 : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  explicit TForm1(ProgramState& state);
  ~TForm1() override;

  // The program's other windows, created after this one.
  void SetWindows(QWidget* form2, QDialog* form4, QDialog* form5, QDialog* copy_dest);

  // FolderView
  char DriveBoxDrive() const override;
  void SetDriveBoxDrive(char letter) override;
  std::string TreeDirectory() const override;
  char TreeDrive() const override;
  void SetTreeDrive(char letter) override;
  void SetTreeDirectory(const std::string& path) override;
  std::string FileListDirectory() const override;
  platform::NameList FileListItems() const override;
  std::optional<platform::FileIdentity> FileListIdentity() const override;
  std::vector<bool> FileListSelection() const override;
  std::string FileListFileName() const override;
  void ClearFileList() override;
  void SetStatusText(const std::string& text) override;
  bool RecycleChecked() const override;
  void SetRecycleChecked(bool checked) override;
  // SlotHints
  std::string SlotHint(std::size_t slot) const override;
  void SetSlotHint(std::size_t slot, const std::string& hint) override;
  // MessageBoxes
  bool AskWarning(const std::string& text) override;
  bool AskConfirmation(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  // BusyCursor
  void SetBusy(bool busy) override;
  void RunFileWork(std::size_t total, const std::function<void(DeleteWatcher*)>& work) override;
  // ModalDialogs
  bool ShowKillAllDialog() override;
  bool ShowCopyDestDialog() override;

  // The status bar's text, as shown.
  QString StatusText() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPanel();
  void BuildFolderView();
  void BuildTabOrder();
  void BuildMenu();
  void BuildCleanMenu();
  void ConnectHandlers();

  void BitBtn2Click();
  void BitBtn1Click();
  void SpeedButton7Click();
  void SpeedButton9Click();
  void FileListBox1DblClick();
  void FileListBox1MouseDown(Qt::MouseButton button);
  void FormActivate();
  // Has the activation handler run as soon as the events now waiting are handled.
  void QueueActivation();
  // Runs the activation handler if an activation still waits for it.
  void RunPendingActivation();
  void DriveComboBox1Change();
  void DirectoryListBox1Change();
  void SpeedButton6Click();
  void IEVersion1Click();
  void Help1Click();
  // F5: the folder tree and the file list read their folder again.
  void RefreshView();
  // Runs a cleaning handler with the file list held as the run found it, then
  // shows the folder as the run left it.
  void RunWithListHeld(const std::function<void()>& handler);
  // Runs a dialog of the Setup menu that may change files, then shows the folder as it left it.
  void RunSetupDialog(const std::function<void()>& dialog);

  // Ends a second copy of the program before any of this window is built.
  TJustOne32 JustOne321;
  ProgramState& state_;
  TExecFile ExecFile1;
  TRegFile RegFile1;
  TRegFile RegFile2;
  TRegFile RegFile6;

  std::array<SlotButton*, 14> slot_buttons_{};
  std::array<std::string, 14> slot_hints_;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QToolButton* SpeedButton9 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  DriveComboBox* DriveComboBox1 = nullptr;
  DirectoryListBox* DirectoryListBox1 = nullptr;
  FileListBox* FileListBox1 = nullptr;
  QLabel* status_text_ = nullptr;

  QPointer<QWidget> form2_;
  QPointer<QDialog> form4_;
  QPointer<QDialog> form5_;
  QPointer<QDialog> copy_dest_;
  // The program's window that is active and the one that was active just
  // before it; both empty once the focus has left the program.
  QPointer<QWidget> active_window_;
  QPointer<QWidget> previous_active_window_;
  bool shown_before_ = false;
  bool activated_before_ = false;
  bool activation_pending_ = false;
  bool file_work_running_ = false;
};

}  // namespace vorlix
