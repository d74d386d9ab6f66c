// SPDX-License-Identifier: MIT
// What the program's windows share.

#include "ui/dialog_parts.h"

#include <QBasicTimer>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QEvent>
#include <QObject>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "ui/guarded.h"

namespace vorlix {
namespace {

// Whether the window system has put its frame around the window yet.
bool FrameKnown(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  return frame != window->geometry() && frame.contains(window->geometry());
}

void MoveFrameToCentre(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

// Until the window system has framed a window, its frame is its inner area, and
// a window centred then ends up off centre by its title bar. A window placed
// before it first exists on the screen is framed from its top-left corner, so
// the window system moves it as it frames it; this then centres it once more,
// now with its frame, and goes away. It gives up after a while on a screen
// that frames nothing.
class CentreWhenFramed final : public QObject {
 public:
  static constexpr const char* kName = "CentreWhenFramed";

  explicit CentreWhenFramed(QWidget* window) : QObject(window), window_(window) {
    setObjectName(kName);
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move) {
      looks_ = 0;
      if (!timer_.isActive()) timer_.start(kLookIntervalMs, this);
    }
    return false;
  }
  void timerEvent(QTimerEvent*) override {
    if (FrameKnown(window_)) {
      MoveFrameToCentre(window_);
    } else if (++looks_ < kLooks) {
      return;
    }
    timer_.stop();
    window_->removeEventFilter(this);
    deleteLater();
  }

 private:
  static constexpr int kLooks = 100;
  static constexpr int kLookIntervalMs = 20;

  QWidget* window_;
  QBasicTimer timer_;
  int looks_ = 0;
};

}  // namespace

void CentreOnScreen(QWidget* window) {
  if (FrameKnown(window)) {
    MoveFrameToCentre(window);
    return;
  }
  // Moving a window that exists on the screen but is not framed yet would make
  // the window system frame it around its place instead of from its corner.
  if (!window->testAttribute(Qt::WA_WState_Created)) MoveFrameToCentre(window);
  if (window->findChild<QObject*>(CentreWhenFramed::kName, Qt::FindDirectChildrenOnly) == nullptr) {
    new CentreWhenFramed(window);
  }
}

void ResizeWithinScreen(QWidget* window, const QSize& wanted) {
  // The frame's title bar and borders, which are not known before the window is shown.
  constexpr QMargins kFrameRoom(8, 40, 8, 8);
  const QScreen* screen = window->screen();
  const QSize room = screen != nullptr ? screen->availableGeometry().marginsRemoved(kFrameRoom).size() : wanted;
  window->resize(wanted.boundedTo(room));
}

void SafeDefault(QPushButton* safe, std::initializer_list<QPushButton*> acting) {
  for (QPushButton* button : acting) button->setAutoDefault(false);
  safe->setAutoDefault(false);
  safe->setDefault(true);
}

void DriveBoxChanged(QWidget* window, DriveComboBox* drive_box, DirectoryListBox* tree) {
  Guarded(window, [&] { tree->SetDrive(drive_box->Drive()); });
  drive_box->SetDrive(tree->Drive());
}

QVBoxLayout* IntroducedLayout(QDialog* dialog, const char* name, const QString& title, const QString& intro) {
  dialog->setObjectName(name);
  dialog->setWindowTitle(title);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QLabel(intro, dialog);
  text->setWordWrap(true);
  layout->addWidget(text);
  return layout;
}

}  // namespace vorlix
