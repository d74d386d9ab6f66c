// SPDX-License-Identifier: MIT
// A speed button that reports which mouse button went down and, on release, whether Shift alone was
// held.

#include "ui/slot_button.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace vorlix {

void SlotButton::mousePressEvent(QMouseEvent* event) {
  QToolButton::mousePressEvent(event);
  const Qt::MouseButton button = event->button();
  emit MouseDown(button);
  // A box shown by the press takes the release: do not stay drawn as pressed.
  if (!(QGuiApplication::mouseButtons() & button)) setDown(false);
}

void SlotButton::mouseReleaseEvent(QMouseEvent* event) {
  QToolButton::mouseReleaseEvent(event);
  emit MouseUp(event->modifiers() == Qt::ShiftModifier && event->buttons() == Qt::NoButton);
}

}  // namespace vorlix
