// SPDX-License-Identifier: MIT
// A speed button that reports which mouse button went down and, on release, whether Shift alone was
// held; the keyboard stands in for both.

#include "ui/slot_button.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
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

void SlotButton::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  if (key == Qt::Key_Space && modifiers == Qt::NoModifier) {
    if (!event->isAutoRepeat()) emit MouseDown(Qt::LeftButton);
  } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::ShiftModifier) {
    if (!event->isAutoRepeat()) emit MouseDown(Qt::RightButton);
  } else if (key == Qt::Key_Delete && modifiers == Qt::ShiftModifier) {
    if (!event->isAutoRepeat()) emit MouseUp(true);
  } else {
    // The arrow keys move to the neighbouring button, as on any button.
    QToolButton::keyPressEvent(event);
  }
}

void SlotButton::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) emit MouseDown(Qt::RightButton);
}

}  // namespace vorlix
