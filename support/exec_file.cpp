// SPDX-License-Identifier: MIT
// TExecFile: the program launcher.

#include "support/exec_file.h"

#include <array>
#include <string_view>

#include "platform/shell.h"
#include "support/text_utils.h"

namespace vorlix {
namespace {

constexpr std::size_t kShellTextLimit = 255;

constexpr std::array<std::string_view, 32> kFailureTexts = {
    "System was out of memory, executable file was corrupt, or relocations were invalid",
    "",
    "File was not found",
    "Path was not found",
    "",
    "Attempt was made to dynamically link to a task, or there was a sharing or network-protection error",
    "Library required separate data segments for each task",
    "",
    "There was insufficient memory to start the application",
    "",
    "Windows version was incorrect",
    "Executable file was invalid. Either it was not a Windows application or there was an error in the .EXE image",
    "Application was designed for a different operating system",
    "Application was designed for MS-DOS 4.0",
    "Type of executable file was unknown",
    "Attempt was made to load a real-mode application (developed for an earlier version of Windows)",
    "Attempt was made to load a second instance of an executable file containing multiple data segments that "
    "were not marked read-only",
    "",
    "",
    "Attempt was made to load a compressed executable file. The file must be decompressed before it can be loaded",
    "Dynamic-link library (DLL) file was invalid. One of the DLLs required to run this application was corrupt",
    "Application requires Windows 32-bit extensions.",
    "", "", "", "", "", "", "", "", "",
    "There is no association for the specified file type or there is no association for the specified action "
    "within the file type",
};

std::string Cut(const std::string& text) { return text.substr(0, kShellTextLimit); }

}  // namespace

int ShowCommandNumber(TShowCmd command) {
  switch (command) {
    case TShowCmd::scNormal: return 1;
    case TShowCmd::scMinimize: return 2;
    case TShowCmd::scMaximize: return 3;
    case TShowCmd::scHide: return 0;
    case TShowCmd::scNoActivate: return 4;
    case TShowCmd::scMinNoActivate: return 7;
  }
  return 1;
}

std::string ExecFailureMessage(const std::string& operation, const std::string& file_name, int code) {
  std::string message = "Unable to " + operation + " '" + file_name + "'.\r\n";
  if (code >= 0 && static_cast<std::size_t>(code) < kFailureTexts.size()) message += kFailureTexts[code];
  return message;
}

void TExecFile::SetFilePath(const std::string& path) { file_path_ = AppendPathDelimiter(path); }

void TExecFile::SetParentHWnd(platform::WindowHandle window) {
  if (window == 0 || platform::CurrentWindowSystem().IsWindow(window)) parent_ = window;
}

void TExecFile::Execute() {
  platform::ShellRequest request;
  request.file = Cut(FileName);
  request.parameters = Cut(Parameters);
  request.folder = Cut(FilePath());
  request.verb = Cut(Operation);
  if (OnBeforeExecute) OnBeforeExecute(*this);
  request.owner = ParentHWnd();
  request.show_command = ShowCommandNumber(ShowCommand);
  const int result = platform::ExecuteShellRequest(request);
  if (result >= 0 && result < 32) throw EExecFileError(ExecFailureMessage(Operation, FileName, result));
  if (OnAfterExecute) OnAfterExecute(*this);
}

}  // namespace vorlix
