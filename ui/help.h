// The help window. The help file "Vorlix.hlp" lies beside the executable: an
// HTML text whose contents page is the anchor "contents" and whose topic N is
// the anchor "topic-N".
#pragma once

#include <QString>

class QWidget;

namespace vorlix {

inline constexpr const char* kHelpFileName = "Vorlix.hlp";

// The program folder followed by "Vorlix.hlp".
QString HelpFilePath();

// Opens the help window at the contents page.
void ShowHelpContents(QWidget* owner);
// Opens the help window at a numbered topic.
void ShowHelpTopic(QWidget* owner, int topic);
// Closes the help window if the program opened one.
void CloseHelp();

}  // namespace vorlix
