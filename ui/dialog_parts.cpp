// SPDX-License-Identifier: MIT

#include "ui/dialog_parts.h"

#include <QScreen>
#include <QWidget>

namespace vorlix {

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace vorlix
