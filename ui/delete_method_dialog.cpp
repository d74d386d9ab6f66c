// SPDX-License-Identifier: MIT
// The Delete Method dialog (TForm4).

#include "ui/delete_method_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>

#include "ui/help.h"
#include "ui/wide_check_box.h"

namespace vorlix {
namespace {

constexpr int kFirstRowTop = 40;
constexpr int kRowStep = 22;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

TForm4::TForm4(ProgramState& state, QWidget* parent)
    : FixedDialog("Delete Method", 300, 409, parent), state_(state) {
  setObjectName("Form4");
  BindSettingsStore(RegFile1, "TForm4", "RegFile1");

  AddBevel({12, 8, 276, 356});
  auto* heading = new QLabel("Use Recycle Bin", this);
  heading->setObjectName("Label15");
  QFont underlined = heading->font();
  underlined.setUnderline(true);
  heading->setFont(underlined);
  heading->setGeometry(158, 16, 110, 17);
  heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const int top = kFirstRowTop + static_cast<int>(i) * kRowStep;
    auto* label = new QLabel(Text(kFolderSlots[i].prefix), this);
    label->setObjectName(QString("Label%1").arg(i + 1));
    label->setGeometry(32, top, 120, 17);
    auto* box = new WideCheckBox(this);
    box->setObjectName(Text(kFolderSlots[i].delete_method_check_box));
    box->setGeometry(205, top, 17, 17);
    label->setBuddy(box);
    rows_[i] = box;
  }

  BitBtn1 = AddButton({56, 372, 86, 25}, "BitBtn1", "&OK");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtn1->setDefault(true);
  BitBtn2 = AddButton({158, 372, 86, 25}, "BitBtn2", "&Help");
  BitBtn2->setIcon(QIcon::fromTheme("help-browser", style()->standardIcon(QStyle::SP_MessageBoxQuestion)));
  connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
}

void TForm4::FormShow() {
  const DeleteMethodTicks ticks = LoadDeleteMethods(state_, RegFile1);
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->setChecked(ticks[i]);
  update();
}

void TForm4::BitBtn1Click() {
  // The OK button closes the dialog even when storing fails part way.
  const auto close_with_ok = qScopeGuard([this] { accept(); });
  DeleteMethodTicks ticks{};
  for (std::size_t i = 0; i < rows_.size(); ++i) ticks[i] = rows_[i]->isChecked();
  SaveDeleteMethods(ticks, state_, RegFile1);
}

void TForm4::BitBtn2Click() { ShowHelpTopic(this, 1); }

}  // namespace vorlix
