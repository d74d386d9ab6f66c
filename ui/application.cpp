// SPDX-License-Identifier: MIT
// The application object.

#include "ui/application.h"

#include <QIcon>
#include <exception>

#include "ui/accessibility.h"
#include "ui/app_icon.h"
#include "ui/message_boxes.h"

namespace vorlix {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("vorlix");
  setDesktopFileName("vorlix");  // the desktop entry, and the window's id on Wayland
  setWindowIcon(AppIcon());  // every window of the program carries it
  installEventFilter(new AccessibleNames(this));
  // Without a desktop session Qt looks for icons in no theme at all.
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor") QIcon::setThemeName("Adwaita");
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowError(activeWindow(), error.what());
  } catch (...) {
    ShowError(activeWindow(), "An unexpected error occurred.");
  }
  return false;
}

}  // namespace vorlix
