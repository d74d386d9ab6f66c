// SPDX-License-Identifier: MIT
// The font of the program's dialogs.

#include "ui/classic_font.h"

#include <QStringList>

namespace vorlix {

QFont ClassicDialogFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "Nimbus Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

}  // namespace vorlix
