// Pieces the program's fixed-layout dialogs are built from.
#pragma once

#include <QRect>

class QDialog;
class QFrame;
class QPushButton;
class QString;
class QWidget;

namespace vorlix {

// A sunken frame around a group of controls, drawn behind them.
QFrame* AddBevel(QWidget* parent, const QRect& place);

// A push button at a fixed place.
QPushButton* AddButton(QWidget* parent, const QRect& place, const char* name, const QString& caption);

// Fixed client size, the dialog font, no resize grip or help button; the
// dialog then opens centred on its screen.
void MakeFixedDialog(QDialog* dialog, const QString& caption, int width, int height);
void CentreOnScreen(QWidget* window);

}  // namespace vorlix
