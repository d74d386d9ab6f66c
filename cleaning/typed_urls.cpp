// SPDX-License-Identifier: MIT

#include "cleaning/typed_urls.h"

#include <string>

#include "cleaning/message_text.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

bool DeleteTypedUrls(TRegFile& reg_file2) {
  const std::string key(kTypedUrlsKey);
  if (!reg_file2.KeyExists(key)) return false;
  reg_file2.DeleteKey(key);
  return true;
}

void SpeedButton7Click(MessageBoxes& boxes, TRegFile& reg_file2) {
  if (!boxes.AskWarning(JoinLines({"You are about to DELETE all of the Internet Explorer Typed URLs.",
                                   "Is this what you want to do? "}))) {
    return;
  }
  if (DeleteTypedUrls(reg_file2)) {
    boxes.ShowInformation("The Internet Explorer typed URL history list has been deleted.");
  } else {
    boxes.ShowInformation("You must have emptied it as I can't find the TypedURLs setting in the registry.");
  }
}

}  // namespace vorlix
