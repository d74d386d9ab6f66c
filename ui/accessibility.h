// SPDX-License-Identifier: MIT
// What a screen reader says for the program's controls, and which controls the
// keyboard reaches.
//
// Every control is named when its window is shown: by its caption; a
// picture-only button by the first line of its hint; a check box without a
// caption by the label that stands for it; the drive box, folder tree, file
// list, the copy dialog's folder box and the lists, drop-down lists and day
// count of the other dialogs by names of their own; a drop-down list by its
// name, not by its current choice. The description
// a screen reader reads is the control's hint, kept current as hints change;
// the controls without a hint get a description of their own.
#pragma once

#include <QObject>
#include <initializer_list>

class QWidget;

namespace vorlix {

// Names the controls of every window of the application as they are shown.
class AccessibleNames : public QObject {
 public:
  explicit AccessibleNames(QObject* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Lets the keyboard focus reach the controls with Tab, in the order given. A
// button takes the focus from the keyboard only, not from a click, and Enter
// presses it as Space does.
void TabThrough(std::initializer_list<QWidget*> controls);

}  // namespace vorlix
