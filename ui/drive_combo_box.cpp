// SPDX-License-Identifier: MIT
// The drive box.

#include "ui/drive_combo_box.h"

#include <QSignalBlocker>
#include <QStyle>

#include "platform/ascii.h"
#include "platform/drive_paths.h"

namespace vorlix {

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  setFocusPolicy(Qt::NoFocus);
  setIconSize(QSize(16, 16));
  Fill('c');
  connect(this, &QComboBox::activated, this, [this](int index) {
    emit DriveChanged(static_cast<char>(itemData(index).toInt()));
  });
}

char DriveComboBox::Drive() const {
  return currentIndex() < 0 ? 'c' : static_cast<char>(currentData().toInt());
}

void DriveComboBox::SetDrive(char letter) { Fill(platform::AsciiLower(letter)); }

void DriveComboBox::showPopup() {
  Fill(Drive());
  QComboBox::showPopup();
}

void DriveComboBox::Fill(char selected) {
  const QSignalBlocker blocker(this);
  clear();
  std::vector<char> drives = platform::MappedDrives();
  if (std::find(drives.begin(), drives.end(), selected) == drives.end()) {
    drives.insert(std::upper_bound(drives.begin(), drives.end(), selected), selected);
  }
  const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (const char letter : drives) {
    const std::optional<std::string> root = platform::DriveRoot(letter);
    const QString folder = root ? QString::fromStdString(*root) : QString("not mapped");
    addItem(icon, QString("%1:  [%2]").arg(QChar(letter), folder), static_cast<int>(letter));
  }
  setCurrentIndex(findData(static_cast<int>(selected)));
}

}  // namespace vorlix
