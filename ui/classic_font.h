// SPDX-License-Identifier: MIT
// The font of the program's dialogs: the classic 8-point dialog font, or the
// narrowest look-alike sans-serif that is installed.
#pragma once

#include <QFont>

namespace vorlix {

QFont ClassicDialogFont();

}  // namespace vorlix
