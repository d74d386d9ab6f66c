// SPDX-License-Identifier: MIT
// "Schedule": the dialog that sets cleaning on a timer.
#include "ui/schedule_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>

#include "cleaning/watch_schedule.h"
#include "ui/dialog_parts.h"
#include "ui/file_work_run.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace vorlix {
namespace {

// The boxes list their choices in the order of the enumerations; the watcher follows the timer's frequencies.
constexpr const char* kFrequencies[] = {"Daily", "Weekly", "Monthly", "When a browser closes"};
constexpr int kWatchIndex = 3;
constexpr int kStoredMethodIndex = static_cast<int>(ScheduleMethod::kStored);
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

  watch_note_ = new QLabel(
      "A service of your session's systemd watches the browsers and empties a browser's caches as soon as it "
      "closes. It cleans the browser caches only, beside any timer that is set.",
      this);
  watch_note_->setObjectName("WatchNote");
  watch_note_->setWordWrap(true);
  watch_note_->hide();
  layout->addWidget(watch_note_);
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
  connect(frequency_, &QComboBox::currentIndexChanged, this, [this] { FrequencyChanged(); });

  ShowChoice(ScheduleChoice{});
  ShowStatus(true);
  ResizeWithinScreen(this, {560, sizeHint().height()});
  CentreOnScreen(this);
}

ScheduleChoice ScheduleDialog::Choice() const {
  return {static_cast<ScheduleFrequency>(frequency_->currentIndex()), kill_all_->isChecked(), browsers_->isChecked(),
          static_cast<ScheduleMethod>(method_->currentIndex())};
}

void ScheduleDialog::ShowChoice(const ScheduleChoice& choice) {
  frequency_->setCurrentIndex(static_cast<int>(choice.frequency));  // first: leaving the watcher puts ticks back
  kill_all_->setChecked(choice.kill_all);
  browsers_->setChecked(choice.browsers);
  method_->setCurrentIndex(static_cast<int>(choice.method));
}

bool ScheduleDialog::Watching() const { return frequency_->currentIndex() == kWatchIndex; }

void ScheduleDialog::ShowWatchChoice(ScheduleMethod method) {
  frequency_->setCurrentIndex(kWatchIndex);
  method_->setCurrentIndex(static_cast<int>(method));
}

void ScheduleDialog::FrequencyChanged() {
  const bool watching = Watching();
  if (watching != showing_watch_) {
    if (watching) {
      kill_all_ticked_ = kill_all_->isChecked();
      browsers_ticked_ = browsers_->isChecked();
      timer_method_ = method_->currentIndex();
      if (watch_) method_->setCurrentIndex(static_cast<int>(*watch_));
    } else {
      method_->setCurrentIndex(timer_method_);
    }
    kill_all_->setChecked(!watching && kill_all_ticked_);
    browsers_->setChecked(watching || browsers_ticked_);
    showing_watch_ = watching;
  }
  kill_all_->setEnabled(!watching);
  browsers_->setEnabled(!watching);
  // A browser cache has no delete method of its own: the watcher moves files to the trash or deletes them.
  static_cast<QStandardItemModel*>(method_->model())->item(kStoredMethodIndex)->setEnabled(!watching);
  if (watching && method_->currentIndex() == kStoredMethodIndex) {
    method_->setCurrentIndex(static_cast<int>(ScheduleMethod::kTrash));
  }
  watch_note_->setVisible(watching);
  switch_off_->setEnabled(watching ? watch_.has_value() : timer_set_);
}

void ScheduleDialog::ShowStatus(bool opening) {
  ScheduleStatus status;
  RunOffThread([&] { status = ReadScheduleStatus(place_); });
  timer_set_ = status.choice.has_value();
  watch_ = status.watch;
  if (status.choice && (opening || !Watching())) {
    ShowChoice(*status.choice);
  } else if (status.watch && (opening || Watching())) {
    ShowWatchChoice(*status.watch);
  }
  status_->setText(ScreenText(status.text));
  FrequencyChanged();
}

void ScheduleDialog::SwitchOnClick() {
  ScheduleResult result;
  if (Watching()) {
    const auto method = static_cast<ScheduleMethod>(method_->currentIndex());
    RunOffThread([&] { result = SwitchWatchOn(method, place_); });
  } else {
    const ScheduleChoice choice = Choice();
    RunOffThread([&] { result = SwitchScheduleOn(choice, place_); });
  }
  ShowResult(result);
}

void ScheduleDialog::SwitchOffClick() {
  const bool watching = Watching();
  ScheduleResult result;
  RunOffThread([&] { result = watching ? SwitchWatchOff(place_) : SwitchScheduleOff(place_); });
  ShowResult(result);
}

void ScheduleDialog::ShowResult(const ScheduleResult& result) {
  result_->setText(ScreenText(result.message));
  result_->setVisible(!result_->text().isEmpty());
  result_->setStyleSheet(result.ok ? QString() : "color: #a00000;");
  ShowStatus(false);
  // Longer texts than before: the dialog grows so that none is cut or squeezes the choices.
  ResizeWithinScreen(this, {width(), std::max(height(), heightForWidth(width()))});
}

void ShowScheduleDialog(QWidget* parent) {
  ScheduleDialog dialog(UserSchedulePlace(), parent);
  dialog.exec();
}

}  // namespace vorlix
