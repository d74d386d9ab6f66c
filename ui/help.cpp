// SPDX-License-Identifier: MIT
// The help window.

#include "ui/help.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QWidget>

#include "ui/dialog_parts.h"

namespace vorlix {
namespace {

// One help window for the whole program, made on first use.
QPointer<QWidget>& HelpWindow() {
  static QPointer<QWidget> window;
  return window;
}

QTextBrowser* Browser() {
  QPointer<QWidget>& window = HelpWindow();
  if (!window) {
    // A main window, so that a screen reader meets a window holding the help text.
    auto* help = new QMainWindow;
    window = help;
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->setObjectName("HelpWindow");
    help->setWindowTitle("Vorlix Help");
    ResizeWithinScreen(help, {560, 520});
    auto* browser = new QTextBrowser(help);
    browser->setObjectName("HelpBrowser");
    browser->setOpenExternalLinks(true);
    help->setCentralWidget(browser);
    new QShortcut(QKeySequence(Qt::Key_Escape), help, help, &QWidget::close);
  }
  return window->findChild<QTextBrowser*>("HelpBrowser");
}

// Beside the owner when the screen has room there, otherwise over it.
void PlaceBeside(QWidget* window, const QWidget* owner) {
  const QRect beside(owner->frameGeometry().topRight() + QPoint(1, 0), window->frameGeometry().size());
  const QScreen* screen = owner->screen();
  if (screen == nullptr || screen->availableGeometry().contains(beside)) {
    window->move(beside.topLeft());
    return;
  }
  QRect centred = beside;
  centred.moveCenter(owner->frameGeometry().center());
  window->move(centred.intersected(screen->availableGeometry()).topLeft());
}

void Show(QWidget* owner, const QString& anchor) {
  QTextBrowser* browser = Browser();
  QFile file(HelpFilePath());
  if (file.open(QIODevice::ReadOnly)) {
    browser->setHtml(QString::fromUtf8(file.readAll()));
    browser->scrollToAnchor(anchor);
  } else {
    browser->setPlainText(QString("The help file %1 cannot be opened: %2.").arg(HelpFilePath(), file.errorString()));
  }
  QWidget* window = HelpWindow();
  // Asked from a modal dialog, the help must take input above it; otherwise it
  // is an ordinary window beside the program's.
  QWidget* modal = QApplication::activeModalWidget();
  const Qt::WindowModality modality = modal != nullptr && modal != window ? Qt::ApplicationModal : Qt::NonModal;
  if (window->windowModality() != modality) {
    window->hide();
    window->setWindowModality(modality);
  }
  if (owner != nullptr && !window->isVisible()) PlaceBeside(window, owner);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

QString HelpFileFor(const QString& program_dir) {
  const QString beside = program_dir + "/" + kHelpFileName;
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QDir::cleanPath(program_dir + "/" VORLIX_DATA_FROM_BIN "/" + kHelpFileName);
  return QFileInfo::exists(installed) ? installed : beside;
}

QString HelpFilePath() { return HelpFileFor(QCoreApplication::applicationDirPath()); }

void ShowHelpContents(QWidget* owner) { Show(owner, "contents"); }

void ShowHelpTopic(QWidget* owner, int topic) { Show(owner, QString("topic-%1").arg(topic)); }

void CloseHelp() {
  if (QPointer<QWidget>& window = HelpWindow()) window->close();
}

}  // namespace vorlix
