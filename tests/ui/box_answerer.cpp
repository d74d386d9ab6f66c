// SPDX-License-Identifier: MIT

#include "tests/ui/box_answerer.h"

#include <QApplication>
#include <QPushButton>

namespace vorlix::test {

BoxAnswerer::BoxAnswerer(std::deque<QMessageBox::StandardButton> answers) : answers_(std::move(answers)) {
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
  timer_.start(5);
}

void BoxAnswerer::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  seen_ << box->windowTitle() + ": " + box->text();
  QAbstractButton* button = nullptr;
  if (!answers_.empty()) {
    button = box->button(answers_.front());
    answers_.pop_front();
  }
  if (button == nullptr) button = box->defaultButton();
  if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
  if (button != nullptr) button->click();
}

}  // namespace vorlix::test
