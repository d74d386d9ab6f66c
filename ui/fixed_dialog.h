// SPDX-License-Identifier: MIT
// A dialog of fixed size and layout that opens centred on its screen and
// fills its controls each time it is shown.
#pragma once

#include <QDialog>

class QFrame;
class QPushButton;

namespace vorlix {

class FixedDialog : public QDialog {
  Q_OBJECT

 public:
  FixedDialog(const QString& caption, int width, int height, QWidget* parent);

 protected:
  // Runs at every showing, before the dialog is painted.
  virtual void FormShow() = 0;
  void showEvent(QShowEvent* event) override;

  // A sunken frame around a group of controls, drawn behind them.
  QFrame* AddBevel(const QRect& place);
  // A push button at a fixed place.
  QPushButton* AddButton(const QRect& place, const char* name, const QString& caption);
};

}  // namespace vorlix
