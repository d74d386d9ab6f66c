// SPDX-License-Identifier: MIT
// The shell: carries out one request of a verb on a file, document, folder or
// web address, the way the Windows shell's execute call does, and answers with
// its result numbers.
//
// - The verb "open" (or an empty verb, which means the default one), in any
//   letter case, is the only verb; any other gives 31.
// - The file "C:\WINDOWS\EXPLORER.EXE" (any letter case) stands for the file
//   manager: the parameter text names a folder (blanks and double quotation
//   marks around it are dropped; no text means the current directory), and the
//   folder is opened with the desktop's application for folders.
// - A file text that begins with a scheme of two or more letters and a colon
//   ("https:", "mailto:") is a web address and goes to the desktop as it is.
// - Anything else is a DOS path; a relative one is taken inside the request's
//   folder when that is given. A path inside the request's folder whose rest
//   is the exact name of one of the folder's entries names that entry, even
//   when the name holds a backslash. The document, program or folder it names is
//   opened with the desktop's application for its type; a program file is
//   never started by the shell itself, and the parameter text is not used.
// - The owner window and the show command are accepted and not used: the
//   desktop decides how the application's window appears.
#pragma once

#include <string>

#include "platform/window_system.h"

namespace vorlix::platform {

struct ShellRequest {
  WindowHandle owner = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string folder;
  int show_command = 1;
};

// Above 32 when the request was handed on; otherwise a failure code: 2 the file
// does not exist, 3 its folder (or the folder for the file manager) does not
// exist or its drive is not mapped, 5 access denied, 31 no application for the
// type or the verb.
int ExecuteShellRequest(const ShellRequest& request);

}  // namespace vorlix::platform
