// SPDX-License-Identifier: MIT
// What the program's windows share: placing themselves, and a drive box that
// leads a folder tree.
#pragma once

#include <initializer_list>

class QDialog;
class QPushButton;
class QSize;
class QString;
class QVBoxLayout;
class QWidget;

namespace vorlix {
class DirectoryListBox;
class DriveComboBox;
}  // namespace vorlix

namespace vorlix {

// Moves a window so that its frame is centred on its screen's free area. A
// window not framed yet is centred once more as soon as the window system has
// framed it; call this before the window is first shown, too.
void CentreOnScreen(QWidget* window);

// The drive box's change: the tree moves to the chosen drive (a drive that
// cannot be entered shows its error over `window`), and the box then shows
// the tree's drive, so the two never disagree.
void DriveBoxChanged(QWidget* window, DriveComboBox* drive_box, DirectoryListBox* tree);

// Gives a window the size wanted, or less where its screen's free area is
// smaller, room left for the window system's frame; the layout then wraps
// its texts and elides its columns to that size.
void ResizeWithinScreen(QWidget* window, const QSize& wanted);

// Makes `safe` the button that Enter presses wherever the focus stands: the
// `acting` buttons (which delete, move or store) never become the default,
// as a focused or once-used button of a dialog otherwise does.
void SafeDefault(QPushButton* safe, std::initializer_list<QPushButton*> acting);

// Names and titles a dialog and gives it a column layout that opens with a
// wrapped text saying what the dialog does.
QVBoxLayout* IntroducedLayout(QDialog* dialog, const char* name, const QString& title, const QString& intro);

}  // namespace vorlix
