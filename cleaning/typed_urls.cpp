// SPDX-License-Identifier: MIT
// Clearing the browser's list of typed addresses.

#include "cleaning/typed_urls.h"

#include <string>

#include "settings/settings_catalogue.h"

namespace vorlix {

bool DeleteTypedUrls(TRegFile& reg_file2) {
  const std::string key(kTypedUrlsKey);
  if (!reg_file2.KeyExists(key)) return false;
  reg_file2.DeleteKey(key);
  return true;
}

}  // namespace vorlix
