// SPDX-License-Identifier: MIT
// "Schedule": the dialog that sets cleaning on a timer.
#include "ui/schedule_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_parts.h"
#include "ui/file_work_run.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace vorlix {
namespace {

// The boxes list their choices in the order of the enumerations.
constexpr const char* kFrequencies[] = {"Daily", "Weekly", "Monthly"};
constexpr const char* kMethods[] = {"Each folder's own delete method", "Move files to the trash",
                                    "Delete files for good"};

QLabel* TextLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a command or crontab line to copy
  return label;
}

}  // namespace

ScheduleDialog::ScheduleDialog(SchedulePlace place, QWidget* parent) : QDialog(parent), place_(std::move(place)) {
  setObjectName("ScheduleDialog");
  setWindowTitle("Schedule");
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      "Vorlix can clean unattended on a timer of your session's systemd, which runs vorlix-clean. A folder that "
      "cannot be entered is skipped and the rest is cleaned.",
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* form = new QFormLayout;
  kill_all_ = new QCheckBox("The folders ticked in &Kill All", this);
  kill_all_->setObjectName("KillAllBox");
  browsers_ = new QCheckBox("The &browser caches", this);
  browsers_->setObjectName("BrowsersBox");
  auto* what = new QVBoxLayout;
  what->addWidget(kill_all_);
  what->addWidget(browsers_);
  form->addRow("Clean:", what);
  frequency_ = new QComboBox(this);
  frequency_->setObjectName("FrequencyBox");
  for (const char* text : kFrequencies) frequency_->addItem(text);
  form->addRow("&How often:", frequency_);
  method_ = new QComboBox(this);
  method_->setObjectName("MethodBox");
  for (const char* text : kMethods) method_->addItem(text);
  form->addRow("&Method:", method_);
  layout->addLayout(form);

  status_ = TextLabel(this, "ScheduleStatus");
  layout->addWidget(status_);
  result_ = TextLabel(this, "ScheduleResult");
  result_->hide();  // shown with the first result: an empty text is nothing to read or to reach
  layout->addWidget(result_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  switch_on_ = buttons->addButton("Switch &on", QDialogButtonBox::ActionRole);
  switch_on_->setObjectName("SwitchOnButton");
  switch_off_ = buttons->addButton("Switch o&ff", QDialogButtonBox::ActionRole);
  switch_off_->setObjectName("SwitchOffButton");
  SafeDefault(buttons->button(QDialogButtonBox::Close), {switch_on_, switch_off_});
  layout->addWidget(buttons);
  connect(switch_on_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { SwitchOnClick(); }); });
  connect(switch_off_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { SwitchOffClick(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  const auto something_chosen = [this] { switch_on_->setEnabled(kill_all_->isChecked() || browsers_->isChecked()); };
  connect(kill_all_, &QCheckBox::toggled, this, something_chosen);
  connect(browsers_, &QCheckBox::toggled, this, something_chosen);

  ShowChoice(ScheduleChoice{});
  ShowStatus();
  ResizeWithinScreen(this, {560, sizeHint().height()});
  CentreOnScreen(this);
}

ScheduleChoice ScheduleDialog::Choice() const {
  return {static_cast<ScheduleFrequency>(frequency_->currentIndex()), kill_all_->isChecked(), browsers_->isChecked(),
          static_cast<ScheduleMethod>(method_->currentIndex())};
}

void ScheduleDialog::ShowChoice(const ScheduleChoice& choice) {
  kill_all_->setChecked(choice.kill_all);
  browsers_->setChecked(choice.browsers);
  frequency_->setCurrentIndex(static_cast<int>(choice.frequency));
  method_->setCurrentIndex(static_cast<int>(choice.method));
}

void ScheduleDialog::ShowStatus() {
  ScheduleStatus status;
  RunOffThread([&] { status = ReadScheduleStatus(place_); });
  if (status.choice) ShowChoice(*status.choice);
  status_->setText(ScreenText(status.text));
  switch_off_->setEnabled(status.choice.has_value());
}

void ScheduleDialog::SwitchOnClick() {
  const ScheduleChoice choice = Choice();
  ScheduleResult result;
  RunOffThread([&] { result = SwitchScheduleOn(choice, place_); });
  ShowResult(result);
}

void ScheduleDialog::SwitchOffClick() {
  ScheduleResult result;
  RunOffThread([&] { result = SwitchScheduleOff(place_); });
  ShowResult(result);
}

void ScheduleDialog::ShowResult(const ScheduleResult& result) {
  result_->setText(ScreenText(result.message));
  result_->setVisible(!result_->text().isEmpty());
  result_->setStyleSheet(result.ok ? QString() : "color: #a00000;");
  ShowStatus();
  // Longer texts than before: the dialog grows so that none is cut or squeezes the choices.
  ResizeWithinScreen(this, {width(), std::max(height(), heightForWidth(width()))});
}

void ShowScheduleDialog(QWidget* parent) {
  ScheduleDialog dialog(UserSchedulePlace(), parent);
  dialog.exec();
}

}  // namespace vorlix
