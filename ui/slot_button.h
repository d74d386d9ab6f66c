// SPDX-License-Identifier: MIT
// A speed button that reports which mouse button went down and, on release,
// whether Shift alone was held: the folder buttons act on both events. The
// keyboard reaches the same actions: Space as a left press, Shift+Enter
// or the menu key as a right press, Shift+Delete as a release with Shift alone.
#pragma once

#include <QToolButton>

namespace vorlix {

class SlotButton : public QToolButton {
  Q_OBJECT

 public:
  using QToolButton::QToolButton;

 signals:
  void MouseDown(Qt::MouseButton button);
  // `shift_alone`: Shift held, no other modifier and no mouse button still down.
  void MouseUp(bool shift_alone);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace vorlix
