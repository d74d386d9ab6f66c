// SPDX-License-Identifier: MIT
// The main window (TForm1): its controls, its slots and the views it offers the handlers.

#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "actions/delete_cache.h"
#include "actions/kill_all.h"
#include "actions/clear_typed_urls.h"
#include "settings/settings_catalogue.h"
#include "ui/accessibility.h"
#include "actions/activation.h"
#include "ui/browser_caches_dialog.h"
#include "ui/classic_font.h"
#include "ui/dialog_parts.h"
#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "actions/file_actions.h"
#include "ui/file_list_box.h"
#include "actions/folder_slot_buttons.h"
#include "ui/guarded.h"
#include "ui/help.h"
#include "ui/let_go_dialog.h"
#include "ui/message_boxes.h"
#include "ui/restore_dialog.h"
#include "ui/schedule_dialog.h"
#include "ui/slot_button.h"
#include "ui/wide_check_box.h"

namespace vorlix {
namespace {

constexpr int kClientWidth = 451;
constexpr int kViewHeight = 306;   // the controls above the status bar
constexpr int kStatusHeight = 19;
// How long a window just shown waits for its first activation before its
// start-up work runs without one: a window system that activates it does so
// well within this.
constexpr int kActivationWaitMs = 500;

struct Place {
  int left, top, width, height;
};

// The folder buttons' places on the panel, in slot order: IE 1 to 8, U1 to U6.
constexpr std::array<Place, 14> kSlotPlaces = {{
    {24, 8, 25, 25}, {50, 8, 25, 25}, {77, 8, 25, 25}, {103, 8, 25, 25},
    {129, 8, 25, 25}, {155, 8, 25, 25}, {182, 8, 25, 25}, {208, 8, 25, 25},
    {24, 34, 25, 25}, {50, 34, 25, 25}, {77, 34, 25, 25}, {103, 34, 25, 25},
    {129, 34, 25, 25}, {155, 34, 25, 25},
}};

void Put(QWidget* widget, const Place& place, const char* name) {
  widget->setObjectName(name);
  widget->setGeometry(place.left, place.top, place.width, place.height);
}

// A picture from the desktop's icon theme, or the toolkit's own when the theme lacks it.
QIcon Picture(const QWidget* widget, const char* theme_name, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(theme_name, widget->style()->standardIcon(fallback));
}

QToolButton* PictureButton(QWidget* parent, const Place& place, const char* name, const QIcon& picture,
                           const char* hint) {
  auto* button = new QToolButton(parent);
  Put(button, place, name);
  button->setIcon(picture);
  button->setToolTip(hint);
  return button;
}

SlotMouseButton ToSlotMouseButton(Qt::MouseButton button) {
  if (button == Qt::RightButton) return SlotMouseButton::kRight;
  if (button == Qt::LeftButton) return SlotMouseButton::kLeft;
  return SlotMouseButton::kMiddle;
}

}  // namespace

TForm1::TForm1(ProgramState& state) : state_(state) {
  BindSettingsStore(RegFile1, "TForm1", "RegFile1");
  BindSettingsStore(RegFile2, "TForm1", "RegFile2");
  BindSettingsStore(RegFile6, "TForm1", "RegFile6");
  setObjectName("Form1");
  setWindowTitle(kMainCaption);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(ClassicDialogFont());

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kViewHeight);
  setCentralWidget(client);
  BuildPanel();
  BuildFolderView();
  BuildTabOrder();
  BuildMenu();
  status_text_ = new QLabel(statusBar());
  statusBar()->addWidget(status_text_, 1);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setFixedHeight(kStatusHeight);
  ConnectHandlers();

  adjustSize();
  // Window managers offer no maximize button only on a window of fixed size;
  // the controls keep their places, so a larger window showed only empty space.
  setFixedSize(size());
  CentreOnScreen(this);
  qApp->installEventFilter(this);
}

TForm1::~TForm1() { qApp->removeEventFilter(this); }

void TForm1::SetWindows(QWidget* form2, QDialog* form4, QDialog* form5, QDialog* copy_dest) {
  form2_ = form2;
  form4_ = form4;
  form5_ = form5;
  copy_dest_ = copy_dest;
}

void TForm1::BuildPanel() {
  auto* panel = new QFrame(centralWidget());
  Put(panel, {0, 0, kClientWidth, 68}, "Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);

  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const FolderSlot& slot = kFolderSlots[i];
    auto* button = new SlotButton(panel);
    Put(button, kSlotPlaces[i], std::string(slot.button).c_str());
    button->setText(QString::fromUtf8(slot.caption.data(), static_cast<qsizetype>(slot.caption.size())));
    slot_buttons_[i] = button;
    SetSlotHint(i, std::string(slot.kind == SlotKind::kUser ? kSaveOrSelectHint : slot.design_hint));
  }
  SpeedButton7 = PictureButton(panel, {182, 34, 25, 25}, "SpeedButton7",
                               Picture(this, "edit-clear", QStyle::SP_DialogDiscardButton),
                               "Delete Internet Explorer typed URL list");
  SpeedButton9 = PictureButton(panel, {208, 34, 25, 25}, "SpeedButton9",
                               Picture(this, "document-open-recent", QStyle::SP_FileDialogContentsView),
                               "Internet Explorer History folder");
  SpeedButton6 = PictureButton(panel, {375, 8, 25, 25}, "SpeedButton6",
                               Picture(this, "help-browser", QStyle::SP_DialogHelpButton), "Help and About");
  SpeedButton5 = PictureButton(panel, {405, 8, 25, 25}, "SpeedButton5",
                               Picture(this, "application-exit", QStyle::SP_DialogCloseButton), "Exit program");

  BitBtn2 = new QPushButton(Picture(this, "user-trash", QStyle::SP_TrashIcon), "Delete Cache", panel);
  Put(BitBtn2, {244, 8, 107, 25}, "BitBtn2");
  BitBtn2->setToolTip("Delete files in viewed cache folder");
  BitBtn1 = new QPushButton(Picture(this, "edit-delete", QStyle::SP_BrowserStop), "Kill All ", panel);
  Put(BitBtn1, {244, 34, 75, 25}, "BitBtn1");
  BitBtn1->setToolTip("Delete all Cache Folders 1 - 4 and U1 - U6");
  CheckBox1 = new WideCheckBox("Use Recycle Bin", panel);
  Put(CheckBox1, {334, 40, 115, 17}, "CheckBox1");  // wide enough for its caption in today's fonts
  CheckBox1->setToolTip("Override default settings with this check box.");
}

void TForm1::BuildFolderView() {
  DriveComboBox1 = new DriveComboBox(centralWidget());
  Put(DriveComboBox1, {14, 73, 171, 21}, "DriveComboBox1");
  DirectoryListBox1 = new DirectoryListBox(centralWidget());
  Put(DirectoryListBox1, {14, 97, 171, 203}, "DirectoryListBox1");
  FileListBox1 = new FileListBox(centralWidget());
  Put(FileListBox1, {191, 73, 248, 227}, "FileListBox1");
  FileListBox1->setToolTip("Double click on file to view or select files and right click to copy.");
  DriveComboBox1->SetDrive(DirectoryListBox1->Drive());
  FileListBox1->Show(DirectoryListBox1->CurrentLoad());
}

void TForm1::BuildTabOrder() {
  // The panel as it reads, left to right and row by row, then the folder view.
  // The arrow keys also move along the folder buttons.
  const auto& s = slot_buttons_;
  TabThrough({s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9], s[10], s[11], s[12], s[13],
              SpeedButton7, SpeedButton9, BitBtn2, BitBtn1, CheckBox1, SpeedButton6, SpeedButton5,
              DriveComboBox1, DirectoryListBox1, FileListBox1});
}

void TForm1::BuildMenu() {
  QMenu* setup = menuBar()->addMenu("&Setup");
  setup->setObjectName("Setup1");
  QAction* delete_method = setup->addAction("&Delete method", this, [this] { IEVersion1Click(); });
  delete_method->setObjectName("IEVersion1");
  QAction* find_caches = setup->addAction("&Find browser caches\u2026", this, [this] {
    RunSetupDialog([this] { ShowBrowserCachesDialog(this, *this, *this, RegFile1); });
  });
  find_caches->setObjectName("FindBrowserCaches1");
  setup->addAction("&Restore a cleaning\u2026", this, [this] { RunSetupDialog([this] { ShowRestoreDialog(this); }); })
      ->setObjectName("RestoreCleaning1");
  setup->addAction("&Empty the trash of old cleanings\u2026", this, [this] {
    RunSetupDialog([this] { ShowLetGoDialog(this, RegFile1); });
  })->setObjectName("LetGo1");
  setup->addAction("&Schedule\u2026", this, [this] { Guarded(this, [this] { ShowScheduleDialog(this); }); })
      ->setObjectName("Schedule1");
  QAction* help = menuBar()->addAction("&Help", this, [this] { Help1Click(); });
  help->setObjectName("Help1");
  help->setShortcut(Qt::Key_F1);
  QAction* about = menuBar()->addAction("&About", this, [this] { SpeedButton6Click(); });
  about->setObjectName("About1");
  BuildCleanMenu();  // after the menu's own items, which keep their places
  QAction* quit = addAction("Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
  quit->setObjectName("Quit");
  addAction("Refresh", QKeySequence(Qt::Key_F5), this, [this] { RefreshView(); })->setObjectName("Refresh");
}

void TForm1::BuildCleanMenu() {
  // The cleaning buttons' keys, shown beside the buttons' own captions; each
  // item presses its button, so both ways run the same handler.
  QMenu* clean = menuBar()->addMenu("&Clean");
  clean->setObjectName("Clean1");
  QAction* delete_cache = clean->addAction("Delete Cache", BitBtn2, &QAbstractButton::click);
  delete_cache->setObjectName("DeleteCache1");
  delete_cache->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::Key_Delete),
                              QKeySequence(Qt::CTRL | Qt::Key_D)});
  QAction* kill_all = clean->addAction("Kill All", QKeySequence(Qt::ALT | Qt::Key_K), BitBtn1, &QAbstractButton::click);
  kill_all->setObjectName("KillAll1");
  QAction* recycle = clean->addAction("Use Recycle Bin", QKeySequence(Qt::ALT | Qt::Key_U), CheckBox1,
                                      &QAbstractButton::click);
  recycle->setObjectName("UseRecycleBin1");
  recycle->setCheckable(true);
  recycle->setChecked(CheckBox1->isChecked());
  connect(CheckBox1, &QCheckBox::toggled, recycle, &QAction::setChecked);
}

void TForm1::ConnectHandlers() {
  for (std::size_t i = 0; i < slot_buttons_.size(); ++i) {
    connect(slot_buttons_[i], &SlotButton::MouseDown, this, [this, i](Qt::MouseButton button) {
      Guarded(this, [&] { SlotButtonMouseDown(i, ToSlotMouseButton(button), state_, *this, RegFile1); });
    });
    connect(slot_buttons_[i], &SlotButton::MouseUp, this, [this, i](bool shift_alone) {
      Guarded(this, [&] { SlotButtonMouseUp(i, shift_alone, *this, RegFile1); });
    });
  }
  connect(DriveComboBox1, &DriveComboBox::DriveChanged, this, [this] { DriveComboBox1Change(); });
  connect(DirectoryListBox1, &DirectoryListBox::DirectoryChanged, this, [this] { DirectoryListBox1Change(); });
  connect(DirectoryListBox1, &DirectoryListBox::DirectoryLoaded, FileListBox1, &FileListBox::FinishLoad);
  connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
  connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
  connect(FileListBox1, &FileListBox::DoubleClicked, this, &TForm1::FileListBox1DblClick);
  connect(FileListBox1, &FileListBox::MouseDown, this, &TForm1::FileListBox1MouseDown);
  connect(SpeedButton5, &QToolButton::clicked, this, &QWidget::close);
  connect(SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton6Click(); });
}

void TForm1::BitBtn2Click() {
  RunWithListHeld([this] { DeleteCache(state_, *this, FileListing(*this)); });
}

void TForm1::BitBtn1Click() {
  RunWithListHeld([this] { KillAll(state_, *this, RegFile1, RegFile2); });
}

void TForm1::RunWithListHeld(const std::function<void()>& handler) {
  // A run deletes what the list showed when it began; the list then shows
  // what is left, and no change seen meanwhile swaps it under the run.
  FileListBox1->HoldReloads();
  Guarded(this, handler);
  FileListBox1->ResumeReloads();
}

void TForm1::RunSetupDialog(const std::function<void()>& dialog) {
  Guarded(this, dialog);
  FileListBox1->Reload();
}

void TForm1::RefreshView() {
  DirectoryListBox1->Refresh();
  FileListBox1->Reload();
}

void TForm1::SpeedButton7Click() {
  Guarded(this, [this] { ClearTypedUrls(*this, RegFile2); });
}

void TForm1::SpeedButton9Click() {
  Guarded(this, [this] { OpenHistoryFolder(state_, *this, ExecFile1); });
}

void TForm1::FileListBox1DblClick() {
  Guarded(this, [this] { OpenFocusedFile(*this, ExecFile1); });
}

void TForm1::FileListBox1MouseDown(Qt::MouseButton button) {
  const TMouseButton pressed = button == Qt::RightButton  ? TMouseButton::mbRight
                               : button == Qt::LeftButton ? TMouseButton::mbLeft
                                                          : TMouseButton::mbMiddle;
  Guarded(this, [&] { CopySelectedFiles(pressed, state_, *this); });
}

void TForm1::FormActivate() {
  Guarded(this, [this] { ActivateMainWindow(state_, *this, RegFile1, RegFile6); });
}

void TForm1::DriveComboBox1Change() { DriveBoxChanged(this, DriveComboBox1, DirectoryListBox1); }

void TForm1::DirectoryListBox1Change() {
  FileListBox1->Show(DirectoryListBox1->CurrentLoad());
  DriveComboBox1->SetDrive(DirectoryListBox1->Drive());
}

void TForm1::SpeedButton6Click() {
  if (!form2_) return;
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

void TForm1::IEVersion1Click() {
  if (form4_) form4_->exec();
}

void TForm1::Help1Click() { ShowHelpContents(this); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::WindowActivate:
        if (widget->isWindow() && widget != active_window_) {
          previous_active_window_ = active_window_;
          active_window_ = widget;
        }
        break;
      case QEvent::WindowDeactivate:
        // The toolkit names the new active window before it deactivates the
        // old one: none means the focus went to another application.
        if (widget->isWindow() && QApplication::activeWindow() == nullptr) {
          previous_active_window_ = nullptr;
          active_window_ = nullptr;
        }
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
        // A click that activates the window is handled after the activation,
        // even when both arrive in one batch from the window system.
        if (widget->window() == this) RunPendingActivation();
        break;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    // The handler runs on the first activation and when the focus comes back
    // straight from the Help and About window; not after a modal box, nor when
    // the user switches back from another application.
    const bool from_about = previous_active_window_ != nullptr && previous_active_window_ == form2_;
    if (!activated_before_ || from_about) QueueActivation();
  } else if (event->type() == QEvent::Show && !shown_before_) {
    // Some display systems never activate a new window (a Wayland compositor
    // may open one started from a terminal without the focus): the start-up
    // work then runs once the window has been shown a moment without it.
    shown_before_ = true;
    QTimer::singleShot(kActivationWaitMs, this, [this] {
      if (!activated_before_) QueueActivation();
    });
  }
  return QMainWindow::event(event);
}

void TForm1::QueueActivation() {
  activated_before_ = true;
  activation_pending_ = true;
  QMetaObject::invokeMethod(this, [this] { RunPendingActivation(); }, Qt::QueuedConnection);
}

void TForm1::RunPendingActivation() {
  // An activation during a run waits for the run's end.
  if (!activation_pending_ || file_work_running_) return;
  activation_pending_ = false;
  FormActivate();
}

void TForm1::closeEvent(QCloseEvent* event) {
  CloseHelp();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace vorlix
