// SPDX-License-Identifier: MIT
// What the program's windows share in placing themselves.
#pragma once

class QWidget;

namespace vorlix {

// Moves a window so that its frame is centred on its screen's free area. A
// window not framed yet is centred once more as soon as the window system has
// framed it; call this before the window is first shown, too.
void CentreOnScreen(QWidget* window);

}  // namespace vorlix
