// SPDX-License-Identifier: MIT

#include "ui/top_level_windows.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include "support/single_instance.h"

namespace vorlix {
namespace {

class TopLevelWindows final : public platform::WindowSystem {
 public:
  bool IsWindow(platform::WindowHandle window) const override { return Find(window) != nullptr; }
  platform::WindowHandle FindWindow(const std::string& title) const override {
    const QString wanted = QString::fromStdString(title);
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->windowTitle() == wanted) return HandleOf(window);
    }
    return 0;
  }
  void SetWindowTitle(platform::WindowHandle window, const std::string& title) override {
    if (QWidget* found = Find(window)) found->setWindowTitle(QString::fromStdString(title));
  }
  bool IsMinimized(platform::WindowHandle window) const override {
    const QWidget* found = Find(window);
    return found != nullptr && found->isMinimized();
  }
  void Restore(platform::WindowHandle window) override {
    if (QWidget* found = Find(window)) found->showNormal();
  }
  void BringToTop(platform::WindowHandle window) override {
    if (QWidget* found = Find(window)) {
      found->raise();
      found->activateWindow();
    }
  }

 private:
  // Only a handle of a live top-level widget leads to a widget.
  static QWidget* Find(platform::WindowHandle window) {
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
      if (HandleOf(candidate) == window) return candidate;
    }
    return nullptr;
  }
};

}  // namespace

platform::WindowHandle HandleOf(const QWidget* window) { return reinterpret_cast<platform::WindowHandle>(window); }

void InstallTopLevelWindows() {
  static TopLevelWindows windows;
  platform::InstallWindowSystem(&windows);
}

void ServeRaiseRequests(const TPreviousInstance& instance) {
  if (instance.RaiseRequestSocket() < 0) return;
  auto* notifier = new QSocketNotifier(instance.RaiseRequestSocket(), QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [&instance] {
    if (const std::optional<std::string> title = instance.ReadRaiseRequest()) {
      RaiseWindowTitled(platform::CurrentWindowSystem(), *title);
    }
  });
}

}  // namespace vorlix
