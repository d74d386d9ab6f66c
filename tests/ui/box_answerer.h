// SPDX-License-Identifier: MIT
// Answers the modal boxes that a handler shows, so a GUI test can run the
// handler to its end: each box that appears is recorded and answered in turn.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>

namespace vorlix::test {

class BoxAnswerer : public QObject {
  Q_OBJECT

 public:
  static constexpr QMessageBox::StandardButton kEnter = QMessageBox::NoButton;

  // Each box is answered with the next of `answers` (kEnter presses Enter on
  // it); once they are used up, with Yes when the box has it, else its default.
  explicit BoxAnswerer(std::deque<QMessageBox::StandardButton> answers = {});

  // Title and text of each box seen, in order ("Title: text").
  const QStringList& Seen() const { return seen_; }

 private:
  void Poll();

  std::deque<QMessageBox::StandardButton> answers_;
  QStringList seen_;
  QTimer timer_;
};

}  // namespace vorlix::test
