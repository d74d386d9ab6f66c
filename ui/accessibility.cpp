// SPDX-License-Identifier: MIT
// What a screen reader says for the program's controls, and which controls the keyboard reaches.

#include "ui/accessibility.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace vorlix {
namespace {

struct OwnName {
  const char* control;  // the control's object name
  const char* name;
  const char* description;  // nullptr: its hint
};

constexpr OwnName kOwnNames[] = {
    {"DriveComboBox1", "Drive", "The drive whose folders the folder tree shows."},
    {"DirectoryListBox1", "Folder tree",
     "The folders down to the folder in view, then its subfolders. Double click or press Enter on a folder to "
     "enter it."},
    {"FileListBox1", "Files", nullptr},  // described by its hint
    {"Edit1", "Destination folder", "The folder that the selected files are copied to."},
    {"HelpBrowser", "Help text", "The help file; its links lead to the topics."},
};

QString WithoutMnemonics(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

// The label that stands for a control (its buddy), if any.
const QLabel* LabelFor(const QWidget* control) {
  if (control->parentWidget() == nullptr) return nullptr;
  for (const QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (label->buddy() == control) return label;
  }
  return nullptr;
}

void Describe(QWidget* control) {
  if (!control->accessibleName().isEmpty()) return;
  for (const OwnName& own : kOwnNames) {
    if (control->objectName() != QLatin1String(own.control)) continue;
    control->setAccessibleName(own.name);
    control->setAccessibleDescription(own.description != nullptr ? own.description : control->toolTip());
    return;
  }
  const auto* button = qobject_cast<QAbstractButton*>(control);
  if (button == nullptr) {
    // Buttons read out their hint as it changes; other controls are told it here.
    control->setAccessibleDescription(control->toolTip());
    return;
  }
  if (!button->text().isEmpty()) return;
  if (const QLabel* label = LabelFor(control)) {
    control->setAccessibleName(WithoutMnemonics(label->text()));
  } else if (!control->toolTip().isEmpty()) {
    control->setAccessibleName(control->toolTip().section('\n', 0, 0).trimmed());
  }
}

}  // namespace

AccessibleNames::AccessibleNames(QObject* parent) : QObject(parent) {}

bool AccessibleNames::eventFilter(QObject* watched, QEvent* event) {
  // A window's controls are complete, captions and hints set, when it is shown.
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow()) {
      for (QWidget* control : widget->findChildren<QWidget*>()) Describe(control);
    }
  }
  return false;
}

void TabThrough(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    control->setFocusPolicy(Qt::StrongFocus);
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace vorlix
