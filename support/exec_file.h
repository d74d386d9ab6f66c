// SPDX-License-Identifier: MIT
// TExecFile: asks the shell to carry out one request (a verb on a file,
// document, program or web address) and raises EExecFileError with a readable
// explanation when the shell refuses it.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/window_system.h"

namespace vorlix {

// How the started program's window is to appear.
enum class TShowCmd { scNormal, scMinimize, scMaximize, scHide, scNoActivate, scMinNoActivate };

// The shell's show-command number for a member: 1, 2, 3, 0, 4 and 7 in member order.
int ShowCommandNumber(TShowCmd command);

class EExecFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Unable to <operation> '<file name>'." and CR LF, then the text for a shell
// failure code (nothing for a code without one).
std::string ExecFailureMessage(const std::string& operation, const std::string& file_name, int code);

class TExecFile {
 public:
  using TNotifyEvent = std::function<void(TExecFile& sender)>;

  std::string FileName;
  std::string Parameters;
  std::string Operation;
  TShowCmd ShowCommand = TShowCmd::scNormal;
  // Fired before the shell is called, and after it accepted a request.
  TNotifyEvent OnBeforeExecute;
  TNotifyEvent OnAfterExecute;

  // The working folder of the request.
  const std::string& FilePath() const { return file_path_; }
  // Stores the folder with a backslash appended unless it is empty or already
  // ends in a backslash, a colon or NUL.
  void SetFilePath(const std::string& path);

  // The owner window of anything the shell shows; 0 means none.
  platform::WindowHandle ParentHWnd() const { return parent_; }
  // Stores the handle when it names an existing window, or when it is 0 (no
  // owner); any other number leaves the previous value in place.
  void SetParentHWnd(platform::WindowHandle window);

  // Hands the request to the shell: the file name, parameters, folder and
  // operation as they stand now, each cut to 255 characters. Raises
  // EExecFileError when the shell answers with a code below 32; the message
  // quotes the operation and file name in full as they stand after
  // OnBeforeExecute.
  void Execute();

 private:
  std::string file_path_;
  platform::WindowHandle parent_ = 0;
};

}  // namespace vorlix
