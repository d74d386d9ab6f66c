// SPDX-License-Identifier: MIT
// The main window's file actions.

#include "actions/file_actions.h"

#include <string>
#include <vector>

#include "settings/settings_catalogue.h"
#include "support/file_utils.h"

namespace vorlix {
namespace {

constexpr const char* kExplorerPath = "C:\\WINDOWS\\EXPLORER.EXE";

}  // namespace

void OpenFocusedFile(const FolderView& view, TExecFile& exec_file) {
  exec_file.Operation = "open";
  // In the listed folder, the shell takes the file's name byte for byte.
  exec_file.SetFilePath(view.FileListDirectory());
  exec_file.FileName = view.FileListFileName();
  exec_file.Parameters = "\"" + exec_file.FileName + "\"";
  exec_file.Execute();
}

void CopySelectedFiles(TMouseButton button, const ProgramState& state, MainView& view) {
  if (button != TMouseButton::mbRight) return;
  if (!view.ShowCopyDestDialog()) return;
  if (!view.AskConfirmation("Copy the selected files to the folder:" + std::string(kLineBreak) +
                             state.copy_destination)) {
    return;
  }
  const platform::NameList items = view.FileListItems();
  const std::vector<bool> selected = view.FileListSelection();
  const std::string folder = view.FileListDirectory();
  for (std::size_t i = 0; i < items.size() && i < selected.size(); ++i) {
    if (selected[i]) DuplicateEntry(folder, std::string(items[i]), state.copy_destination);
  }
}

void OpenHistoryFolder(const ProgramState& state, FolderView& view, TExecFile& exec_file) {
  view.SetStatusText(state.history_folder);
  exec_file.Operation = "open";
  exec_file.FileName = kExplorerPath;
  exec_file.Parameters = " \"" + state.history_folder + "\"";
  exec_file.Execute();
}

}  // namespace vorlix
