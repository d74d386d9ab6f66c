// SPDX-License-Identifier: MIT
// What the program's windows share in placing themselves.
#pragma once

class QWidget;

namespace vorlix {

// Moves a window so that its frame is centred on its screen's free area.
void CentreOnScreen(QWidget* window);

}  // namespace vorlix
