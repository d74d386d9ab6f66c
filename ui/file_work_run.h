// SPDX-License-Identifier: MIT
// Runs work on a second thread while the window stays drawn and takes no
// input: a deletion run's file work, with its progress in the status bar, or
// a slow call such as starting systemctl.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>

#include "cleaning/listed_files.h"

class QLabel;

namespace vorlix {

// "Deleting 12,345 of 50,000 files…"
QString ProgressText(std::size_t done, std::size_t total);

// Runs `work` to its end on a worker thread while a local event loop keeps
// the program's windows drawn; input to them, and any request to close one,
// is dropped meanwhile. An exception that leaves `work` is thrown again here.
void RunOffThread(const std::function<void()> &work);

// Runs a deletion run's `work` as RunOffThread does. `status`
// shows the progress a few times a second and afterwards its text from
// before the run, or how many files could not be removed. An exception that
// leaves `work` is thrown again here.
void RunFileWorkOffThread(QLabel &status, std::size_t total, const std::function<void(DeleteWatcher *)> &work);

}  // namespace vorlix
