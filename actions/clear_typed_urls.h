// SPDX-License-Identifier: MIT
// The typed-URL button's handler: asks, deletes the browser's typed-URL key
// and reports whether it found one.
#pragma once

#include "actions/main_view.h"
#include "settings/reg_files.h"

namespace vorlix {

void ClearTypedUrls(MessageBoxes& boxes, TRegFile& reg_file2);

}  // namespace vorlix
