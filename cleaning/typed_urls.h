// SPDX-License-Identifier: MIT
// Clearing the browser's list of typed addresses: the key "TypedURLs" below
// the component's key, deleted whole.
#pragma once

#include "settings/reg_files.h"

namespace vorlix {

// Deletes the typed-URL key when it can be opened; true when it was there.
// A refused deletion throws ERegFileError.
bool DeleteTypedUrls(TRegFile& reg_file2);

}  // namespace vorlix
