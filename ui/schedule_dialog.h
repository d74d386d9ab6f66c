// SPDX-License-Identifier: MIT
// "Schedule": chooses what vorlix-clean cleans unattended, how often and with
// which method, sets the timer that runs it or switches it off, and shows how
// the timer stands.
#pragma once

#include <QDialog>

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
  // Reads the schedule back, shows it, and lets Switch off act only on one that is set.
  void ShowStatus();
  void SwitchOnClick();
  void SwitchOffClick();
  void ShowResult(const ScheduleResult& result);

  SchedulePlace place_;
  QCheckBox* kill_all_ = nullptr;
  QCheckBox* browsers_ = nullptr;
  QComboBox* frequency_ = nullptr;
  QComboBox* method_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* switch_on_ = nullptr;
  QPushButton* switch_off_ = nullptr;
};

// Shows the dialog modally for the current user's schedule.
void ShowScheduleDialog(QWidget* parent);

}  // namespace vorlix
