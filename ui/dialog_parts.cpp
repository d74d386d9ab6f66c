#include "ui/dialog_parts.h"

#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QScreen>

#include "ui/classic_font.h"

namespace vorlix {

QFrame* AddBevel(QWidget* parent, const QRect& place) {
  auto* bevel = new QFrame(parent);
  bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  bevel->setGeometry(place);
  bevel->lower();
  return bevel;
}

QPushButton* AddButton(QWidget* parent, const QRect& place, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  return button;
}

void MakeFixedDialog(QDialog* dialog, const QString& caption, int width, int height) {
  dialog->setWindowTitle(caption);
  dialog->setFont(ClassicDialogFont());
  dialog->setFixedSize(width, height);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  dialog->setSizeGripEnabled(false);
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace vorlix
