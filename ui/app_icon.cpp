// SPDX-License-Identifier: MIT
// The program's own window icon, drawn from the icon file that is also installed for the desktop.

#include "ui/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace vorlix {

QIcon AppIcon() {
  QSvgRenderer renderer(QStringLiteral(":/icons/vorlix.svg"));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace vorlix
