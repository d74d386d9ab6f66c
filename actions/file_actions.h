// SPDX-License-Identifier: MIT
// The main window's file actions: viewing the file under the focus, copying
// the selected files to a folder chosen in the copy dialog, and opening the
// browser's history folder in the file manager.
#pragma once

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "support/exec_file.h"

namespace vorlix {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Opens the list's current file with its application (the file's own quoted
// path as the parameter text). Raises EExecFileError when the shell refuses.
void OpenFocusedFile(const FolderView& view, TExecFile& exec_file);

// With the right button: asks for a folder with the copy dialog and for
// confirmation, then copies each selected file there, in list order. A file
// that cannot be copied is skipped silently. Other buttons do nothing.
void CopySelectedFiles(TMouseButton button, const ProgramState& state, MainView& view);

// Shows the history folder in the status bar and opens it in the file manager.
void OpenHistoryFolder(const ProgramState& state, FolderView& view, TExecFile& exec_file);

}  // namespace vorlix
