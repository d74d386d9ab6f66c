// The program's own window icon, drawn at the sizes a desktop asks for.
#pragma once

#include <QIcon>

namespace vorlix {

QIcon AppIcon();

}  // namespace vorlix
