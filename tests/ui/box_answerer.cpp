// SPDX-License-Identifier: MIT

#include "tests/ui/box_answerer.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vorlix::test {

BoxAnswerer::BoxAnswerer(std::deque<QMessageBox::StandardButton> answers) : answers_(std::move(answers)) {
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
  timer_.start(5);
}

BoxAnswerer::BoxAnswerer(Keys keys) : BoxAnswerer() { keys_ = std::move(keys.keys); }

void BoxAnswerer::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  // A key's click may follow a moment later; a box that a key left open is
  // answered again after a while.
  if (box == nullptr || !box->isVisible() || (box == answered_ && !since_answer_.hasExpired(kKeyClickMs))) return;
  seen_ << box->windowTitle() + ": " + box->text();
  if (!keys_.empty()) {
    answered_ = box;
    since_answer_.start();
    const Qt::Key key = keys_.front();
    keys_.pop_front();
    QTest::keyClick(box, key);
    return;
  }
  QAbstractButton* button = box->button(QMessageBox::Yes);
  if (!answers_.empty()) {
    const QMessageBox::StandardButton answer = answers_.front();
    answers_.pop_front();
    if (answer == kEnter) {
      QTest::keyClick(box, Qt::Key_Return);
      return;
    }
    button = box->button(answer);
  }
  if (button == nullptr) button = box->defaultButton();
  if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
  if (button != nullptr) button->click();
}

void PressEnterOn(QWidget* focus) {
  QWidget* window = focus->window();
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) ADD_FAILURE() << "the window did not become active";
  focus->setFocus();
  QTest::keyClick(focus, Qt::Key_Return);
}

}  // namespace vorlix::test
