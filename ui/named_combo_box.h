// SPDX-License-Identifier: MIT
// What a screen reader is told of a drop-down list. On Linux the toolkit
// names a drop-down list by its current choice, so the drive box was read as
// "c:  [/]" and a schedule's box as "Weekly"; here a drop-down list is named
// by its accessible name, which says what it chooses, and its current choice
// is its value.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace vorlix {

class NamedComboBox : public QAccessibleWidget {
 public:
  explicit NamedComboBox(QComboBox* box);

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  // Besides the widget's own actions, one opening or closing the list.
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  QComboBox* Box() const;
};

// The accessibility factory that gives every drop-down list without an
// editable text an interface of the kind above.
QAccessibleInterface* NamedComboBoxFactory(const QString& class_name, QObject* object);

}  // namespace vorlix
