// SPDX-License-Identifier: MIT
// The help window. The help file "Vorlix.hlp" lies beside the executable, or
// in the installed data folder: an HTML text whose contents page is the anchor
// "contents" and whose topic N is the anchor "topic-N".
#pragma once

#include <QString>

class QWidget;

namespace vorlix {

inline constexpr const char* kHelpFileName = "Vorlix.hlp";

// The help file of the program in program_dir: the one beside the program
// when it is there, otherwise the one in the data folder that an installed
// program finds relative to its own folder (share/vorlix/ beside bin/). When
// neither exists, the path beside the program, which messages then name.
QString HelpFileFor(const QString& program_dir);
// The help file of the running program.
QString HelpFilePath();

// Opens the help window at the contents page.
void ShowHelpContents(QWidget* owner);
// Opens the help window at a numbered topic.
void ShowHelpTopic(QWidget* owner, int topic);
// Closes the help window if the program opened one.
void CloseHelp();

}  // namespace vorlix
