// SPDX-License-Identifier: MIT
// The report that ends a cleaning.

#include "cleaning/regained_report.h"

#include <glib.h>

#include "support/message_text.h"
#include "support/text_utils.h"

namespace vorlix {
namespace {

std::string FilesText(std::uint64_t files) { return GroupedCount(files) + (files == 1 ? " file" : " files"); }

}  // namespace

std::string RegainedReport(std::string_view cleaned_line, std::int64_t bytes_regained) {
  if (bytes_regained <= 1) {
    return JoinLines({"Your cache must have been empty as the", "space after cleaning is the same as",
                      "before cleaning or you used the", "recycle bin for your deletions."});
  }
  const std::string amount =
      StripLeadingBlanks(FormatNumberMask("###,###,###,###,###", static_cast<long double>(bytes_regained)));
  return JoinLines({cleaned_line, "The Windows File Explorer still holds the file",
                    "pointers in a special data file. See the help", "for instructions on how to clear that from the",
                    "explorer view.", "", "You have regained " + amount + " bytes."});
}

std::string NotTrashedText(std::uint64_t files) { return LeftText(files, true, std::string(kNoTrashReason)); }

std::string UnusableTrashText(std::uint64_t files, const std::string& folder, int error) {
  return LeftText(files, true, UnusableTrashReason(folder, error));
}

std::string UnusableTrashReason(const std::string& folder, int error) {
  return "the trash folder " + folder + " cannot be used: " + g_strerror(error);
}

std::string LeftText(std::uint64_t files, bool trash, const std::string& reason) {
  return FilesText(files) + (trash ? (files == 1 ? " was not moved to the trash: " : " were not moved to the trash: ")
                                   : " could not be removed: ") +
         reason;
}

}  // namespace vorlix
