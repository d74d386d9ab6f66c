// SPDX-License-Identifier: MIT
// The copy dialog (TCopyDest).

#include "ui/copy_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/text_utils.h"
#include "ui/accessibility.h"
#include "ui/dialog_parts.h"
#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "ui/guarded.h"

namespace vorlix {

TCopyDest::TCopyDest(ProgramState& state, QWidget* parent)
    : FixedDialog("Select Folder To Copy Files To", 300, 322, parent), state_(state) {
  setObjectName("CopyDest");
  BindSettingsStore(RegFile1, "TCopyDest", "RegFile1");

  AddBevel({8, 8, 284, 268});
  DriveComboBox1 = new DriveComboBox(this);
  DriveComboBox1->setObjectName("DriveComboBox1");
  DriveComboBox1->setGeometry(18, 18, 264, 22);
  DirectoryListBox1 = new DirectoryListBox(this);
  DirectoryListBox1->setObjectName("DirectoryListBox1");
  DirectoryListBox1->setGeometry(18, 46, 264, 192);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(18, 244, 264, 22);
  Edit1->setEnabled(false);

  BitBtn1 = AddButton({53, 287, 86, 25}, "BitBtn1", "OK");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtn2 = AddButton({161, 287, 86, 25}, "BitBtn2", "Cancel");
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  BitBtn1->setAutoDefault(false);
  BitBtn2->setDefault(true);
  TabThrough({DriveComboBox1, DirectoryListBox1});  // the buttons keep the dialog's own Enter and Tab

  connect(DriveComboBox1, &DriveComboBox::DriveChanged, this, &TCopyDest::DriveComboBox1Change);
  connect(DirectoryListBox1, &DirectoryListBox::DirectoryChanged, this, &TCopyDest::DirectoryListBox1Change);
  connect(BitBtn1, &QPushButton::clicked, this, &TCopyDest::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TCopyDest::FormShow() {
  DirectoryListBox1Change();
  // Activation follows each opening, once the dialog is on screen.
  QMetaObject::invokeMethod(this, &TCopyDest::FormActivate, Qt::QueuedConnection);
}

void TCopyDest::FormActivate() {
  Guarded(this, [this] {
    DirectoryListBox1->SetDirectory(
        ReadText(RegFile1, std::string(kLastCopyToFolderValue), kLastCopyToFolderDefault));
  });
  DriveComboBox1->SetDrive(DirectoryListBox1->Drive());
}

void TCopyDest::DriveComboBox1Change() { DriveBoxChanged(this, DriveComboBox1, DirectoryListBox1); }

void TCopyDest::DirectoryListBox1Change() {
  Edit1->setText(QString::fromStdString(AppendPathDelimiter(DirectoryListBox1->Directory())));
}

void TCopyDest::BitBtn1Click() {
  accept();
  const std::string folder = DirectoryListBox1->Directory();
  state_.copy_destination = AppendPathDelimiter(folder);
  Guarded(this, [&] { RegFile1.WriteValue(std::string(kLastCopyToFolderValue), folder); });
}

}  // namespace vorlix
