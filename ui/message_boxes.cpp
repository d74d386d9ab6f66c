// SPDX-License-Identifier: MIT
// The program's message boxes.

#include "ui/message_boxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace vorlix {
namespace {

// A message box wraps a text wider than half its screen, down to that width,
// and may break a web address at its slashes to do so. Its lines are kept
// whole instead as far as the screen has room for them (at most the width a
// box wraps at on a large screen), so that on a small or scaled screen a text
// wraps only where a line is wider than that, and then at its words.
void KeepLinesWhole(QMessageBox& box) {
  constexpr int kWidestText = 500;
  auto* label = box.findChild<QLabel*>("qt_msgbox_label");
  const QScreen* screen = box.screen();
  if (label == nullptr || screen == nullptr) return;
  label->ensurePolished();
  int widest = 0;
  for (const QString& line : box.text().split('\n')) {
    widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
  }
  const int room = screen->availableGeometry().width() * 3 / 4;  // the icon, margins and frame take the rest
  label->setMinimumWidth(std::min({widest, room, kWidestText}));
}

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const char* title, const std::string& text,
                                QMessageBox::StandardButton default_button) {
  QMessageBox box(icon, title, ScreenText(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(default_button);
  KeepLinesWhole(box);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, kApplicationTitle, ScreenText(text), QMessageBox::Ok, parent);
  KeepLinesWhole(box);
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
