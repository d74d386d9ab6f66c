// SPDX-License-Identifier: MIT
// The program's message boxes.

#include "ui/message_boxes.h"

#include <QMessageBox>

namespace vorlix {
namespace {

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const char* title, const std::string& text,
                                QMessageBox::StandardButton default_button) {
  QMessageBox box(icon, title, ScreenText(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(default_button);
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
  // A destructive question: Enter must not answer it with Yes.
  return Ask(parent, QMessageBox::Warning, "Warning", text, QMessageBox::No) == QMessageBox::Yes;
}

bool AskConfirmation(QWidget* parent, const std::string& text) {
  return Ask(parent, QMessageBox::Question, "Confirm", text, QMessageBox::Yes) == QMessageBox::Yes;
}

bool AskConfirmationNoDefault(QWidget* parent, const std::string& text) {
  return Ask(parent, QMessageBox::Question, "Confirm", text, QMessageBox::No) == QMessageBox::Yes;
}

void ShowInformation(QWidget* parent, const std::string& text) { Tell(parent, QMessageBox::Information, text); }

void ShowError(QWidget* parent, const std::string& text) { Tell(parent, QMessageBox::Critical, text); }

}  // namespace vorlix
