// SPDX-License-Identifier: MIT
// The program's own window icon, drawn from the icon file that is also
// installed for the desktop.
#pragma once

#include <QIcon>

namespace vorlix {

QIcon AppIcon();

}  // namespace vorlix
