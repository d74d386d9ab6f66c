// SPDX-License-Identifier: MIT
// Answers the modal boxes that a handler shows, so a GUI test can run the
// handler to its end: each box that appears is recorded and answered in turn.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
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
  // Each box is answered with the next of `keys`, pressed on it as a user at the
  // keyboard would; once they are used up, as above.
  struct Keys {
    std::deque<Qt::Key> keys;
  };
  explicit BoxAnswerer(Keys keys);

  // Title and text of each box seen, in order ("Title: text").
  const QStringList& Seen() const { return seen_; }

 private:
  void Poll();

  std::deque<QMessageBox::StandardButton> answers_;
  std::deque<Qt::Key> keys_;
  // The box last answered by a key, whose button may take a moment to click.
  static constexpr qint64 kKeyClickMs = 1000;
  QPointer<QMessageBox> answered_;
  QElapsedTimer since_answer_;
  QStringList seen_;
  QTimer timer_;
};

// Shows the window of `focus`, makes it the active window, gives `focus` the
// focus and presses Enter on it, as a user at the keyboard would.
void PressEnterOn(QWidget* focus);

}  // namespace vorlix::test
