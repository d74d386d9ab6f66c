// SPDX-License-Identifier: MIT
// Small text routines for paths and numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlix {

// The path with a trailing backslash unless it is empty or already ends in
// "\", ":" or NUL ("C:\temp" -> "C:\temp\", "C:" stays "C:").
std::string AppendPathDelimiter(const std::string& path);

// The text without its leading blanks and control characters (codes up to 32).
std::string StripLeadingBlanks(const std::string& text);

// Merges a number, rounded to whole units, into a mask of "#" digit places and
// "," group separators, right-aligned and as long as the mask: a "#" with no
// digit left becomes a blank, a "," becomes a blank when no digit stands to its
// left. A number with more digits than the mask has places gives "*" for every
// "#". A negative number takes a "-" in the place left of its digits (stars
// when there is none). Any other mask character is copied as it stands.
// FormatNumberMask("###,###", 1234) == "  1,234".
std::string FormatNumberMask(const std::string& mask, long double number);

// A count with its noun, singular for one, its digits grouped: "1 file",
// "2 files", "0 bytes", "5,000 files".
std::string Counted(std::uint64_t count, std::string_view noun);

// A count with "," between groups of three digits: "1,234,567".
std::string GroupedCount(std::uint64_t count);

// A size as the desktop shows it, in decimal units: "1 byte", "999 bytes",
// "673.0 kB" for 673,039 bytes, "1.5 MB", up to "EB".
std::string SizeText(std::uint64_t bytes);

// The length of the valid UTF-8 sequence that begins at text[i] (a lead
// byte and its continuation bytes, neither overlong nor a surrogate), or 0.
std::size_t Utf8Length(std::string_view text, std::size_t i);

// A name, path or argument for a terminal line: control characters as \xNN,
// so that no text a program was given can move the cursor or end the line.
std::string PrintableText(std::string_view text);

}  // namespace vorlix
