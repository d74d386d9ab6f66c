// SPDX-License-Identifier: MIT
// "Empty the trash of old cleanings": the days after which trashed files go for good.

#include "ui/let_go_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "cleaning/let_go_setting.h"
#include "ui/dialog_parts.h"
#include "ui/guarded.h"

namespace vorlix {

LetGoDialog::LetGoDialog(TRegFile& reg_file1, QWidget* parent) : QDialog(parent), reg_file1_(reg_file1) {
  QVBoxLayout* layout = IntroducedLayout(
      this, "LetGoDialog", "Empty the trash of old cleanings",
      "At the start of each cleaning, delete for good the files that Vorlix itself moved into the trash that "
      "many days before. Nothing else in the trash is touched.");

  auto* row = new QHBoxLayout;
  on_ = new QCheckBox("&Delete them after", this);
  on_->setObjectName("LetGoOn");
  days_ = new QSpinBox(this);
  days_->setObjectName("LetGoDays");
  days_->setRange(1, kLetGoDaysMost);
  days_->setSuffix(" day");  // its value starts at 1
  connect(days_, &QSpinBox::valueChanged, days_, [this](int days) { days_->setSuffix(days == 1 ? " day" : " days"); });
  row->addWidget(on_);
  row->addWidget(days_);
  row->addStretch();
  layout->addLayout(row);

  const std::optional<int> stored = ReadLetGoDays(reg_file1_);
  on_->setChecked(stored.has_value());
  days_->setValue(stored.value_or(30));
  days_->setEnabled(stored.has_value());
  connect(on_, &QCheckBox::toggled, days_, &QWidget::setEnabled);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  SafeDefault(buttons->button(QDialogButtonBox::Cancel), {buttons->button(QDialogButtonBox::Ok)});
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Guarded(this, [this] { OkClick(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  CentreOnScreen(this);
}

void LetGoDialog::OkClick() {
  WriteLetGoDays(reg_file1_, on_->isChecked() ? std::optional<int>(days_->value()) : std::nullopt);
  accept();
}

void ShowLetGoDialog(QWidget* parent, TRegFile& reg_file1) {
  LetGoDialog dialog(reg_file1, parent);
  dialog.exec();
}

}  // namespace vorlix
