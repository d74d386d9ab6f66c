// SPDX-License-Identifier: MIT
// What vorlix-reg says about its own use.
#pragma once

#include <string_view>

#include "tools/vorlix-reg/key_names.h"

namespace vorlix::reg_tool {

// Arguments that do not make a command; the tool then points to --help.
class UsageError : public ToolError {
 public:
  using ToolError::ToolError;
};

inline constexpr std::string_view kHelp = R"(Usage: vorlix-reg COMMAND ARGUMENTS...

Reads and edits the Vorlix settings store ($XDG_CONFIG_HOME/vorlix/registry.db,
normally ~/.config/vorlix/registry.db), a registry of keys and values.

Commands:
  query KEY [NAME]          Show the values of KEY and the names of its subkeys,
                            or only the value NAME. Texts are shown with control
                            characters escaped (\n, \r, \t, \xNN).
  set KEY NAME TYPE DATA    Store the value NAME in KEY, creating the key when
                            it is missing. TYPE and DATA:
                              REG_SZ      a text
                              REG_DWORD   a number, decimal (-1, 42) or hex (0x2a)
                              REG_BINARY  hex bytes ("01 ff 20", "01,ff,20" or "01ff20")
                            An empty NAME ("") is the key's default value.
  delete KEY [NAME]         Delete the value NAME of KEY, or KEY itself together
                            with all its subkeys and values.
  export [KEY]              Write KEY and all keys below it, or the whole store,
                            to standard output as a REGEDIT4 .reg file.
  import FILE               Carry out a REGEDIT4 .reg file: [KEY] creates a key,
                            [-KEY] deletes it with its subkeys, "NAME"="text",
                            "NAME"=dword:0000002a, "NAME"=hex:01,ff and
                            "NAME"=hex(2):41,00 set values, "NAME"=- deletes one,
                            @ stands for the default value. A file with a line
                            that cannot be read is refused whole, naming the line;
                            otherwise all of it is imported at once, or nothing.
                            Lines may be up to 4 MiB long, a value's data up to
                            1 MiB.
  --help                    Show this text.
  -V, --version             Show the version.

Key and value names hold at most 255 characters and no control characters;
keys lie at most 512 levels below their root. query, delete and export never
create a store that does not exist.

Keys are written from their root: HKEY_CURRENT_USER\Software\Tolvex\Vorlix 5.0,
or shorter HKCU\Software\Tolvex\Vorlix 5.0. Roots: HKEY_CLASSES_ROOT (HKCR),
HKEY_CURRENT_USER (HKCU), HKEY_LOCAL_MACHINE (HKLM), HKEY_USERS (HKU),
HKEY_CURRENT_CONFIG (HKCC), HKEY_DYN_DATA (HKDD). Key and value names match
without regard to letter case. Quote a key with blanks for the shell:
  vorlix-reg query 'HKCU\Software\Tolvex\Vorlix 5.0' 'IE 1 Use Recycle'

Exit status: 0 on success; 1 when the command fails (a missing key or value
included), with a one-line message on standard error; 2 for wrong arguments.
)";

}  // namespace vorlix::reg_tool
