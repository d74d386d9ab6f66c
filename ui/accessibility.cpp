// SPDX-License-Identifier: MIT
// What a screen reader says for the program's controls, and which controls the keyboard reaches.

#include "ui/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QWidget>

#include "ui/named_combo_box.h"

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
    {"CacheList", "Browser cache folders",
     "The cache folders found, with their browser, profile, files and size. Space ticks a folder to store in a "
     "free user button."},
    {"CleanList", "Browser caches to empty",
     "The caches found, with their browser, profile, files, size and number of folders. Space ticks a cache to "
     "empty."},
    {"RunList", "Recorded cleanings",
     "The cleanings that moved files into the trash, newest first, with their files, the files still in the trash "
     "and their folders."},
    {"LetGoDays", "Days in the trash",
     "After how many days the files that Vorlix moved into the trash are deleted for good."},
    {"FrequencyBox", "How often to clean", "How often the timer runs the cleaning."},
    {"MethodBox", "Delete method of the scheduled cleaning",
     "Whether the scheduled cleaning follows each folder's own delete method, moves the files to the trash or "
     "deletes them for good."},
};

// What the controls without a hint do, told by their window and caption. A
// null caption stands for every check box of the window.
struct Purpose {
  const char* window;  // the window's object name; nullptr: any window
  const char* caption;
  const char* description;
};

constexpr Purpose kPurposes[] = {
    {nullptr, "OK", "Keeps what is chosen here and closes the window."},
    {nullptr, "Cancel", "Closes the window and changes nothing."},
    {nullptr, "Help", "Opens the help."},
    {nullptr, "Close", "Closes the window."},
    {"RestoreDialog", "Restore", "Puts the files of the chosen cleaning that are still in the trash back."},
    {"LetGoDialog", nullptr, "Ticked: the files that Vorlix moved into the trash go for good after the days set."},
    {"ScheduleDialog", "Switch on", "Sets the timer that cleans what is ticked, as often and as chosen."},
    {"ScheduleDialog", "Switch off", "Removes the timer."},
    {"ScheduleDialog", nullptr, "Ticked: the cleaning on the timer cleans these."},
    {"BrowserCachesDialog", "Clean ticked caches now", "Asks, then empties the ticked caches."},
    {"BrowserCachesDialog", nullptr, "Ticked: the files go into the trash; clear: they are deleted for good."},
    {"Form5", "Check All", "Ticks every folder of the list."},
    {"Form5", "Clear All", "Clears every tick of the list."},
    {"Form5", nullptr, "Ticked: Kill All cleans this folder."},
    {"Form4", nullptr,
     "Ticked: the files cleaned from this button's folder go to the trash; clear: they are deleted for good."},
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

const char* PurposeOf(const QAbstractButton* button) {
  // A message box's buttons answer its text; they keep and close nothing.
  if (qobject_cast<const QMessageBox*>(button->window()) != nullptr) return nullptr;
  const QString caption = WithoutMnemonics(button->text());
  const bool check_box = qobject_cast<const QCheckBox*>(button) != nullptr;
  for (const Purpose& purpose : kPurposes) {
    if (purpose.window != nullptr && button->window()->objectName() != QLatin1String(purpose.window)) continue;
    if (purpose.caption == nullptr ? check_box : caption == QLatin1String(purpose.caption)) return purpose.description;
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
  if (button->toolTip().isEmpty()) {
    if (const char* purpose = PurposeOf(button)) control->setAccessibleDescription(purpose);
  }
  if (!button->text().isEmpty()) return;
  if (const QLabel* label = LabelFor(control)) {
    control->setAccessibleName(WithoutMnemonics(label->text()));
  } else if (!control->toolTip().isEmpty()) {
    control->setAccessibleName(control->toolTip().section('\n', 0, 0).trimmed());
  }
}

// Turns Enter on a button into Space, which presses every kind of button.
class EnterAsSpace final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    QKeyEvent space(event->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), key->isAutoRepeat());
    QCoreApplication::sendEvent(watched, &space);
    return true;
  }
};

}  // namespace

AccessibleNames::AccessibleNames(QObject* parent) : QObject(parent) {
  QAccessible::installFactory(NamedComboBoxFactory);
}

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
    if (qobject_cast<QAbstractButton*>(control) != nullptr) {
      control->setFocusPolicy(Qt::TabFocus);
      control->installEventFilter(new EnterAsSpace(control));
    } else {
      control->setFocusPolicy(Qt::StrongFocus);
    }
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace vorlix
