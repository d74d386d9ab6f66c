// SPDX-License-Identifier: MIT
// The program's message boxes. Texts may break lines with LF CR (the
// program's own) or CR LF (the launcher's); both show as one line break.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace vorlix {

// The application's title, shown on information and error boxes.
inline constexpr const char* kApplicationTitle = "Vorlix 5.0";

// A text of the core as the screen shows it: UTF-8, line breaks normalised.
QString ScreenText(const std::string& text);

// Title "Warning", buttons Yes and No, No the default (Enter); true for Yes.
bool AskWarning(QWidget* parent, const std::string& text);
// Title "Confirm", buttons Yes and No; true for Yes.
bool AskConfirmation(QWidget* parent, const std::string& text);
// The same with No the default (Enter): for a question of our own dialogs
// that deletes or stores, where Enter must never do it.
bool AskConfirmationNoDefault(QWidget* parent, const std::string& text);
// The application's title, button OK.
void ShowInformation(QWidget* parent, const std::string& text);
// An error that ended a handler, with the application's title.
void ShowError(QWidget* parent, const std::string& text);

}  // namespace vorlix
