// SPDX-License-Identifier: MIT
// The toolkit's side of the single-instance guard and of the launcher's owner window.

#include "ui/top_level_windows.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <map>
#include <vector>

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
    if (application_window_ && !title.empty() && title == application_title_) return HandleOf(application_window_);
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

  void SetApplicationWindow(QWidget* window, const std::string& title) {
    application_window_ = window;
    application_title_ = title;
  }

 private:
  // Only a handle of a live top-level widget leads to a widget.
  static QWidget* Find(platform::WindowHandle window) {
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
      if (HandleOf(candidate) == window) return candidate;
    }
    return nullptr;
  }

  QPointer<QWidget> application_window_;
  std::string application_title_;
};

TopLevelWindows& Windows() {
  static TopLevelWindows windows;
  return windows;
}

// Raises the windows that later copies ask for. A request is read as it
// arrives, so a copy that connects and sends nothing never holds up the
// window.
class RaiseRequestServer final : public QObject {
 public:
  explicit RaiseRequestServer(TPreviousInstance& instance) : QObject(qApp), instance_(instance) {
    Watch(instance.RaiseRequestSocket());
  }

 private:
  void Serve() {
    for (const std::string& title : instance_.TakeRaiseRequests()) {
      RaiseWindowTitled(platform::CurrentWindowSystem(), title);
    }
    const std::vector<int> pending = instance_.PendingRaiseRequests();
    for (auto it = connections_.begin(); it != connections_.end();) {
      if (std::find(pending.begin(), pending.end(), it->first) == pending.end()) {
        it->second->setEnabled(false);
        it->second->deleteLater();  // it may be the notifier that called
        it = connections_.erase(it);
      } else {
        ++it;
      }
    }
    for (const int connection : pending) {
      if (connections_.count(connection) == 0) connections_[connection] = Watch(connection);
    }
  }

  QSocketNotifier* Watch(int socket) {
    auto* notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &RaiseRequestServer::Serve);
    return notifier;
  }

  TPreviousInstance& instance_;
  std::map<int, QSocketNotifier*> connections_;
};

}  // namespace

platform::WindowHandle HandleOf(const QWidget* window) { return reinterpret_cast<platform::WindowHandle>(window); }

void InstallTopLevelWindows() { platform::InstallWindowSystem(&Windows()); }

void SetApplicationWindow(QWidget* window, const std::string& title) { Windows().SetApplicationWindow(window, title); }

void ServeRaiseRequests(TPreviousInstance& instance) {
  if (instance.RaiseRequestSocket() >= 0) new RaiseRequestServer(instance);
}

}  // namespace vorlix
