// SPDX-License-Identifier: MIT
// The Kill All selection dialog (TForm5).

#include "ui/kill_all_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/wide_check_box.h"

namespace vorlix {
namespace {

constexpr int kBoxLeft = 26;
constexpr int kBoxTop = 23;
constexpr int kBoxStep = 18;

// A folder path shown as a caption: an "&" stays an "&", not a mnemonic.
QString CaptionText(const std::string& text) { return QString::fromStdString(text).replace("&", "&&"); }

QLabel* AddBoldLabel(QWidget* parent, const QRect& place, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

TForm5::TForm5(ProgramState& state, QWidget* parent)
    : FixedDialog("Delete all Cache Folders", 535, 346, parent), state_(state) {
  setObjectName("Form5");
  BindSettingsStore(RegFile1, "TForm5", "RegFile1");

  const auto& items = KillAllItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* box = new WideCheckBox(this);
    box->setObjectName(QString::fromUtf8(items[i].check_box.data(), static_cast<int>(items[i].check_box.size())));
    box->setGeometry(kBoxLeft, kBoxTop + static_cast<int>(i) * kBoxStep, 284, 17);
    boxes_[i] = box;
  }
  AddBevel({17, 14, 303, 315});

  AddBevel({322, 14, 196, 182});
  AddBoldLabel(this, {332, 33, 176, 104}, "Label1",
               "Caution!  This will clean out the files in all of the selected folders on this Dialog. "
               "Be sure that you want to continue before clicking OK.");
  AddBoldLabel(this, {332, 145, 176, 40}, "Label2", "Click Cancel to abort this operation.");

  AddBevel({322, 199, 196, 130});
  BitBtn3 = AddButton({332, 225, 86, 25}, "BitBtn3", "Check All");
  BitBtn4 = AddButton({423, 225, 86, 25}, "BitBtn4", "Clear All");
  BitBtn1 = AddButton({332, 278, 86, 25}, "BitBtn1", "OK");
  BitBtn2 = AddButton({423, 278, 86, 25}, "BitBtn2", "Cancel");
  // Cancel answers Enter at every showing: a focused button never becomes
  // the default, as buttons of a dialog otherwise do once they were used.
  for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) button->setAutoDefault(false);
  BitBtn2->setDefault(true);

  connect(BitBtn3, &QPushButton::clicked, this, [this] { SetAllBoxes(true); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { SetAllBoxes(false); });
  connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm5::FormShow() {
  const auto boxes = ReadKillAllBoxes(RegFile1);
  const auto& items = KillAllItems();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    boxes_[i]->setChecked(boxes[i].checked);
    boxes_[i]->setText(CaptionText(boxes[i].caption));
    // Buttons may hold the same folder: a screen reader names the button with it.
    if (const FolderSlot* slot = items[i].slot) {
      boxes_[i]->setAccessibleName(QString::fromUtf8(slot->prefix.data(), static_cast<int>(slot->prefix.size())) +
                                   ": " + QString::fromStdString(boxes[i].caption));
    }
  }
}

void TForm5::BitBtn1Click() {
  std::array<bool, kKillAllItemCount> checked{};
  for (std::size_t i = 0; i < boxes_.size(); ++i) checked[i] = boxes_[i]->isChecked();
  StoreKillAllSelection(checked, state_, RegFile1);
  accept();
}

void TForm5::SetAllBoxes(bool checked) {
  for (QCheckBox* box : boxes_) box->setChecked(checked);
}

}  // namespace vorlix
