// SPDX-License-Identifier: MIT
// The Help and About window (TForm2).

#include "ui/help_about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "platform/shell.h"
#include "ui/app_icon.h"
#include "ui/help.h"

namespace vorlix {
namespace {

QLabel* AddCentredLine(QWidget* parent, int top, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(18, top, 264, 20);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : FixedDialog("Help & About", 300, 206, parent) {
  setObjectName("Form2");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);

  AddBevel({8, 8, 284, 108});
  QLabel* product = AddCentredLine(this, 22, "Label1", "Vorlix Pro");
  QFont bold = product->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.5);
  product->setFont(bold);
  product->setGeometry(18, 18, 264, 28);
  auto* icon = new QLabel(this);
  icon->setObjectName("Image1");
  icon->setPixmap(AppIcon().pixmap(32, 32));
  icon->setGeometry(22, 18, 32, 32);
  AddCentredLine(this, 52, "Label2", "Version 5.0");
  AddCentredLine(this, 78, "Label3", QString::fromUtf8(kCopyrightNotice));

  Button1 = AddButton({8, 126, 284, 27}, "Button1", QString("Visit our web site: %1").arg(kMakerWebAddress));
  Button1->setToolTip("Click to visit web site.");
  Button1->setAutoDefault(false);
  BitBtn1 = AddButton({58, 167, 86, 25}, "BitBtn1", "&OK");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtn1->setDefault(true);
  BitBtn2 = AddButton({156, 167, 86, 25}, "BitBtn2", "&Help");
  BitBtn2->setIcon(QIcon::fromTheme("help-browser", style()->standardIcon(QStyle::SP_MessageBoxQuestion)));
  BitBtn2->setAutoDefault(false);

  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &QWidget::hide);
  connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
}

// Every text of the window is fixed; nothing to fill at a showing.
void TForm2::FormShow() {}

void TForm2::Button1Click() {
  platform::ShellRequest request;
  request.verb = "open";
  request.file = kMakerWebAddress;
  platform::ExecuteShellRequest(request);
}

void TForm2::BitBtn2Click() { ShowHelpContents(parentWidget() != nullptr ? parentWidget() : this); }

}  // namespace vorlix
