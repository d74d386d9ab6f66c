// SPDX-License-Identifier: MIT
// The file work of a run on a second thread while the window stays drawn and shows its progress.

#include "ui/file_work_run.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

#include "support/text_utils.h"

namespace vorlix {
namespace {

constexpr int kProgressIntervalMs = 250;

// Counts the entries of a run as the worker reaches them; read by the
// interface thread.
class CountingWatcher : public DeleteWatcher {
 public:
  void EntryDone(std::size_t /*index*/, EntryResult result) override {
    if (result == EntryResult::kRefused) refused_.fetch_add(1, std::memory_order_relaxed);
    done_.fetch_add(1, std::memory_order_relaxed);
  }
  bool StopBefore(std::size_t /*index*/) override { return false; }
  std::size_t Done() const { return done_.load(std::memory_order_relaxed); }
  std::size_t Refused() const { return refused_.load(std::memory_order_relaxed); }

 private:
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> refused_{0};
};

// Drops the user's input to every window of the program, and any request to
// close one, for as long as it lives.
class InputBlocker : public QObject {
 public:
  InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
  InputBlocker(const InputBlocker &) = delete;
  InputBlocker &operator=(const InputBlocker &) = delete;
  ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject * /*watched*/, QEvent *event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::ContextMenu:
        return true;
      case QEvent::Close:
        event->ignore();  // refused, so that close() says the window stays
        return true;
      default:
        return false;
    }
  }
};

QString Grouped(std::size_t count) { return QString::fromStdString(GroupedCount(count)); }

// "1 file", "2,000 files".
QString Files(std::size_t count) { return Grouped(count) + (count == 1 ? " file" : " files"); }

}  // namespace

QString ProgressText(std::size_t done, std::size_t total) {
  return QStringLiteral("Deleting %1 of %2\u2026").arg(Grouped(done), Files(total));
}

void RunOffThread(const std::function<void()> &work) {
  std::exception_ptr failure;
  QEventLoop loop;
  {
    const InputBlocker blocker;
    std::thread worker([&] {
      try {
        work();
      } catch (...) {
        failure = std::current_exception();
      }
      // Queued: the loop ends once it runs, even when the work was quicker.
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
  }
  if (failure) std::rethrow_exception(failure);
}

void RunFileWorkOffThread(QLabel &status, std::size_t total, const std::function<void(DeleteWatcher *)> &work) {
  const QString before = status.text();
  CountingWatcher watcher;
  QTimer progress;
  progress.setInterval(kProgressIntervalMs);
  QObject::connect(&progress, &QTimer::timeout, &status, [&] { status.setText(ProgressText(watcher.Done(), total)); });
  status.setText(ProgressText(0, total));
  progress.start();
  std::exception_ptr failure;
  try {
    RunOffThread([&] { work(&watcher); });
  } catch (...) {
    failure = std::current_exception();
  }
  progress.stop();
  const std::size_t refused = watcher.Refused();
  status.setText(refused == 0 ? before
                              : QStringLiteral("%1 of %2 could not be removed.").arg(Grouped(refused), Files(total)));
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vorlix
