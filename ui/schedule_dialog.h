// SPDX-License-Identifier: MIT
// "Schedule": chooses what vorlix-clean cleans unattended, how often and with
// which method, sets the timer that runs it or switches it off, and shows how
// the timer stands. "When a browser closes" sets, beside the timer, the
// service that empties the browser caches as each browser closes; Switch on
// and Switch off act on the timer or on that watcher, as How often shows.
#pragma once

#include <QDialog>
#include <optional>

#include "cleaning/schedule.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace vorlix {

class ScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ScheduleDialog(SchedulePlace place, QWidget* parent = nullptr);

 private:
  ScheduleChoice Choice() const;
  void ShowChoice(const ScheduleChoice& choice);
  // True when How often shows "When a browser closes".
  bool Watching() const;
  void ShowWatchChoice(ScheduleMethod method);
  // Fits the ticks, the methods and Switch off to the timer or to the watcher.
  void FrequencyChanged();
  // Reads the schedule back and shows it; the choices show what is set of the
  // kind How often shows, or at `opening` of the timer, else of the watcher.
  void ShowStatus(bool opening);
  void SwitchOnClick();
  void SwitchOffClick();
  void ShowResult(const ScheduleResult& result);

  SchedulePlace place_;
  QCheckBox* kill_all_ = nullptr;
  QCheckBox* browsers_ = nullptr;
  QComboBox* frequency_ = nullptr;
  QComboBox* method_ = nullptr;
  QLabel* watch_note_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* switch_on_ = nullptr;
  QPushButton* switch_off_ = nullptr;
  bool timer_set_ = false;
  std::optional<ScheduleMethod> watch_;  // the watcher's method, when it is set
  bool showing_watch_ = false;
  // The timer's ticks and method, kept while the watcher is shown, which cleans the browser caches only.
  bool kill_all_ticked_ = true;
  bool browsers_ticked_ = false;
  int timer_method_ = 0;
};

// Shows the dialog modally for the current user's schedule.
void ShowScheduleDialog(QWidget* parent);

}  // namespace vorlix
