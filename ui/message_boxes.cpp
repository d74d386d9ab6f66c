// SPDX-License-Identifier: MIT

#include "ui/message_boxes.h"

#include <QMessageBox>

namespace vorlix {
namespace {

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const char* title, const std::string& text) {
  QMessageBox box(icon, title, ScreenText(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, kApplicationTitle, ScreenText(text), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

QString ScreenText(const std::string& text) {
  QString screen = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  screen.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  screen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return screen;
}

bool AskWarning(QWidget* parent, const std::string& text) {
  return Ask(parent, QMessageBox::Warning, "Warning", text) == QMessageBox::Yes;
}

bool AskConfirmation(QWidget* parent, const std::string& text) {
  return Ask(parent, QMessageBox::Question, "Confirm", text) == QMessageBox::Yes;
}

void ShowInformation(QWidget* parent, const std::string& text) { Tell(parent, QMessageBox::Information, text); }

void ShowError(QWidget* parent, const std::string& text) { Tell(parent, QMessageBox::Critical, text); }

}  // namespace vorlix
