// SPDX-License-Identifier: MIT
// A dialog of fixed size and layout that opens centred on its screen and fills its controls each time
// it is shown.

#include "ui/fixed_dialog.h"

#include <QFrame>
#include <QPushButton>
#include <QShowEvent>

#include "ui/classic_font.h"
#include "ui/dialog_parts.h"

namespace vorlix {

FixedDialog::FixedDialog(const QString& caption, int width, int height, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  setFont(ClassicDialogFont());
  setFixedSize(width, height);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  CentreOnScreen(this);  // placed before it first exists on the screen
}

void FixedDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the window system showing it again, not the program
  CentreOnScreen(this);
  FormShow();
}

QFrame* FixedDialog::AddBevel(const QRect& place) {
  auto* bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  bevel->setGeometry(place);
  bevel->lower();
  return bevel;
}

QPushButton* FixedDialog::AddButton(const QRect& place, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(place);
  return button;
}

}  // namespace vorlix
