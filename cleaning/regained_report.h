// SPDX-License-Identifier: MIT
// The report that ends a cleaning: the bytes regained, or why there were none.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlix {

inline constexpr std::string_view kFolderCleanedLine = "The selected Cache folder has been cleaned up.";
inline constexpr std::string_view kAllFoldersCleanedLine = "All selected Cache folders have been cleaned up.";

// More than one byte regained: `cleaned_line`, the note on the file
// manager's pointers and "You have regained 1,234,567 bytes."; otherwise the
// text that the cache must have been empty.
std::string RegainedReport(std::string_view cleaned_line, std::int64_t bytes_regained);

// The word on files left where they were because their folder's file system
// has no trash: "20 files were not moved to the trash: its file system has no
// trash" ("1 file was not moved ..."), the count grouped as the bytes are.
std::string NotTrashedText(std::uint64_t files);

// The same word for files left where they were because their trash folder
// exists but cannot be used: "20 files were not moved to the trash: the trash
// folder /media/usb/.Trash-1000 cannot be used: Permission denied", the
// reason being the system's text for the error number.
std::string UnusableTrashText(std::uint64_t files, const std::string& folder, int error);

// The reasons those two sentences give, and the sentence for a count of
// files and a reason: "3 files could not be removed: permission denied", or
// with `trash` "3 files were not moved to the trash: <reason>".
inline constexpr std::string_view kNoTrashReason = "its file system has no trash";
std::string UnusableTrashReason(const std::string& folder, int error);
std::string LeftText(std::uint64_t files, bool trash, const std::string& reason);

}  // namespace vorlix
