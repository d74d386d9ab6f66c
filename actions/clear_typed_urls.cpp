// SPDX-License-Identifier: MIT
// The typed-URL button's handler.

#include "actions/clear_typed_urls.h"

#include "cleaning/typed_urls.h"
#include "support/message_text.h"

namespace vorlix {

void ClearTypedUrls(MessageBoxes& boxes, TRegFile& reg_file2) {
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
