// SPDX-License-Identifier: MIT
// What a screen reader is told of a drop-down list.

#include "ui/named_combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace vorlix {

NamedComboBox::NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

QComboBox* NamedComboBox::Box() const { return static_cast<QComboBox*>(widget()); }

QString NamedComboBox::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Box()->currentText();
  if (t == QAccessible::Name && Box()->accessibleName().isEmpty()) return Box()->currentText();
  return QAccessibleWidget::text(t);
}

// The one child is the list that drops down.
int NamedComboBox::childCount() const { return 1; }

QAccessibleInterface* NamedComboBox::child(int index) const {
  return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
}

int NamedComboBox::indexOfChild(const QAccessibleInterface* child) const {
  return child != nullptr && child->object() == Box()->view() ? 0 : -1;
}

QStringList NamedComboBox::actionNames() const {
  return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void NamedComboBox::doAction(const QString& action) {
  if (action != showMenuAction() && action != pressAction()) {
    QAccessibleWidget::doAction(action);
  } else if (Box()->view()->isVisible()) {
    Box()->hidePopup();
  } else {
    Box()->showPopup();
  }
}

QAccessibleInterface* NamedComboBoxFactory(const QString& /*class_name*/, QObject* object) {
  auto* box = qobject_cast<QComboBox*>(object);
  if (box == nullptr || box->isEditable()) return nullptr;
  return new NamedComboBox(box);
}

}  // namespace vorlix
