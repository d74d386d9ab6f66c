// SPDX-License-Identifier: MIT
// "Restore a cleaning": puts the files of a recorded run back.

#include "ui/restore_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <optional>

#include "cleaning/restore_report.h"
#include "support/text_utils.h"
#include "ui/dialog_parts.h"
#include "ui/file_work_run.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace vorlix {
namespace {

constexpr int kProgressIntervalMs = 250;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QTreeWidgetItem* RunRow(const RecordedRun& run) {
  auto* row = new QTreeWidgetItem;
  const QLocale locale;
  row->setText(RestoreDialog::kWhen,
               locale.toString(QDateTime::fromSecsSinceEpoch(run.when), QLocale::ShortFormat));
  row->setText(RestoreDialog::kFiles, locale.toString(static_cast<qulonglong>(run.files)));
  row->setText(RestoreDialog::kInTrash, locale.toString(static_cast<qulonglong>(run.in_trash)));
  row->setTextAlignment(RestoreDialog::kFiles, Qt::AlignRight | Qt::AlignVCenter);
  row->setTextAlignment(RestoreDialog::kInTrash, Qt::AlignRight | Qt::AlignVCenter);
  QStringList folders;
  for (const std::string& folder : run.folders) folders << Text(folder);
  row->setText(RestoreDialog::kFolders, folders.join(", "));
  row->setToolTip(RestoreDialog::kFolders, folders.join("\n"));
  if (run.in_trash == 0) row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
  return row;
}

}  // namespace

QString RestoreProgressText(std::size_t done, std::size_t total) {
  return Text("Putting back " + GroupedCount(done) + " of " + Counted(total, "file") + "\u2026");
}

RestoreDialog::RestoreDialog(QWidget* parent) : QDialog(parent) {
  QVBoxLayout* layout = IntroducedLayout(
      this, "RestoreDialog", "Restore a cleaning",
      "Choose a cleaning that moved files into the trash. Its files still in the trash go back where they came "
      "from; a file is never put back over another one of the same name.");

  list_ = new QTreeWidget(this);
  list_->setObjectName("RunList");
  list_->setHeaderLabels({"When", "Files", "In the trash", "Folders"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setTextElideMode(Qt::ElideMiddle);
  layout->addWidget(list_);
  problem_ = new QLabel(this);
  problem_->setObjectName("RecordProblem");
  problem_->setWordWrap(true);
  problem_->setStyleSheet("color: #a00000;");
  layout->addWidget(problem_);

  progress_ = new QLabel(this);
  progress_->setObjectName("RestoreProgress");
  progress_->hide();
  layout->addWidget(progress_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  restore_ = buttons->addButton("&Restore", QDialogButtonBox::ActionRole);
  restore_->setObjectName("RestoreButton");
  SafeDefault(buttons->button(QDialogButtonBox::Close), {restore_});  // Enter never moves files back
  layout->addWidget(buttons);
  connect(restore_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { RestoreClick(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* row) { restore_->setEnabled(row != nullptr && !row->isDisabled()); });

  ResizeWithinScreen(this, {760, 320});
  CentreOnScreen(this);
  Fill();
}

void RestoreDialog::Fill() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<std::string> problems;
  runs_ = ListRecordedRuns(&problems);
  QString problem = problems.empty() ? QString() : Text(problems.front());
  QApplication::restoreOverrideCursor();
  if (!problem.isEmpty()) problem[0] = problem[0].toUpper();
  problem_->setText(problem.isEmpty() ? problem : problem + '.');
  problem_->setVisible(!problem.isEmpty());
  list_->clear();
  for (const RecordedRun& run : runs_) list_->addTopLevelItem(RunRow(run));
  for (int column = kWhen; column < kFolders; ++column) list_->resizeColumnToContents(column);
  restore_->setEnabled(false);
  if (!runs_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
  list_->setFocus();
}

void RestoreDialog::RestoreClick() {
  const int index = list_->indexOfTopLevelItem(list_->currentItem());
  if (index < 0 || static_cast<std::size_t>(index) >= runs_.size()) return;
  const RecordedRun& run = runs_[static_cast<std::size_t>(index)];
  // The files go back on a second thread while the dialog shows how far it
  // got; the program's windows stay drawn and take no input meanwhile.
  std::atomic<std::size_t> done{0};
  std::atomic<std::size_t> total{run.files};
  std::optional<std::vector<RestoredFile>> restored;
  {
    const auto show_progress = [&] { progress_->setText(RestoreProgressText(done, total)); };
    show_progress();
    progress_->show();
    QTimer ticker;
    ticker.setInterval(kProgressIntervalMs);
    connect(&ticker, &QTimer::timeout, progress_, show_progress);
    ticker.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto after = qScopeGuard([this] {
      QApplication::restoreOverrideCursor();
      progress_->hide();
    });
    RunOffThread([&] {
      restored = RestoreRun(run.id, false, [&](std::size_t files_done, std::size_t files) {
        total.store(files, std::memory_order_relaxed);
        done.store(files_done, std::memory_order_relaxed);
      });
    });
  }
  ShowInformation(this, restored ? RestoreReport(*restored) : "The record of that cleaning can no longer be read.");
  Fill();
}

void ShowRestoreDialog(QWidget* parent) {
  RestoreDialog dialog(parent);
  dialog.exec();
}

}  // namespace vorlix
