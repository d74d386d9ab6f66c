// SPDX-License-Identifier: MIT
// What a command did, as text for people or as one JSON object for programs.

#include "support/text_utils.h"
#include "tools/vorlix-clean/report.h"

#include <glib.h>

#include <cstdio>
#include <string_view>

#include "tools/vorlix-clean/progress.h"

namespace vorlix::clean_tool {
namespace {

const char* MethodName(bool recycle) { return recycle ? "trash" : "for good"; }

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : Utf8Length(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// The bytes of a text as lowercase hex, two digits a byte, in a JSON string.
std::string HexString(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex = "\"";
  for (const char c : text) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 0xF];
  }
  return hex + '"';
}

// ,"left":[{"reason":"permission denied","trash":false,"files":3},...]: the
// files that stayed, by the reason they stayed.
void WriteReasons(const LeftFiles& left, std::ostream& out) {
  out << ",\"left\":[";
  const std::vector<LeftReason>& reasons = left.Reasons();
  for (std::size_t i = 0; i < reasons.size(); ++i) {
    out << (i > 0 ? "," : "") << "{\"reason\":" << JsonString(reasons[i].reason)
        << ",\"trash\":" << (reasons[i].trash ? "true" : "false") << ",\"files\":" << reasons[i].files << '}';
  }
  out << ']';
}

void WriteItemJson(const ItemResult& item, const Report& report, std::ostream& out) {
  out << "{\"slot\":" << JsonString(item.target.name);
  WriteJsonText("stored_folder", item.target.folder, out);
  WriteJsonText("folder", item.folder, out);
  WriteJsonText("path", item.path, out);
  out << ",\"method\":\"" << MethodName(item.target.recycle) << "\",\"kill_all\":"
      << (item.target.kill_all ? "true" : "false") << ",\"status\":\"" << StatusName(item.status) << '"';
  if (!item.error.empty()) WriteJsonText("error", item.error, out);
  out << ",\"listed_files\":" << item.listed_files << ",\"listed_bytes\":" << item.listed_bytes;
  if (report.command != "list") {
    out << ",\"removed_files\":" << item.removed_files << ",\"removed_bytes\":" << item.removed_bytes;
    WriteNames("failed", item.failed, out);
    if (item.unusable_trash.error != 0) {
      out << ",\"unusable_trash\":{\"folder\":" << JsonString(item.unusable_trash.folder)
          << ",\"reason\":" << JsonString(g_strerror(item.unusable_trash.error)) << '}';
    }
    out << ",\"not_trashed\":" << item.left.NotTrashedCount();
    WriteReasons(item.left, out);
  }
  if (report.dry_run) WriteNames("would_remove", item.listed, out);
  out << '}';
}

void WriteItemText(const ItemResult& item, const Report& report, std::ostream& out) {
  out << item.target.name << ": ";
  if (report.command == "list") {
    out << MethodName(item.target.recycle) << ", Kill All " << (item.target.kill_all ? "ticked" : "not ticked");
    if (item.status == ItemStatus::kDone)
      out << ", " << Counted(item.listed_files, "file") << ", " << Counted(item.listed_bytes, "byte");
  } else if (item.status == ItemStatus::kRunning) {
    out << "browser running, left alone: " << Counted(item.listed_files, "file") << ", "
        << Counted(item.listed_bytes, "byte");
  } else if (item.status == ItemStatus::kPreview) {
    out << "would remove " << Counted(item.listed_files, "file") << ", " << Counted(item.listed_bytes, "byte") << " ("
        << MethodName(item.target.recycle) << ")";
  } else {
    out << "removed " << Counted(item.removed_files, "file") << ", " << Counted(item.removed_bytes, "byte") << " ("
        << MethodName(item.target.recycle) << ")";
    if (!item.failed.empty()) out << ", " << item.failed.size() << " could not be removed";
  }
  if (item.status != ItemStatus::kDone && item.status != ItemStatus::kPreview && item.status != ItemStatus::kRunning) {
    out << " [" << StatusName(item.status) << ']';
  }
  out << "\n    stored: " << PrintableText(item.target.folder) << '\n';
  if (!item.path.empty()) out << "    path:   " << PrintableText(item.path) << '\n';
  if (report.dry_run) {
    for (const std::string_view name : item.listed) out << "    " << PrintableText(std::string(name)) << '\n';
  }
}

}  // namespace

void WriteJsonText(const char* key, const std::string& text, std::ostream& out) {
  out << ",\"" << key << "\":" << JsonString(text);
  if (!IsValidUtf8(text)) out << ",\"" << key << "_bytes\":" << HexString(text);
}

void WriteNames(const char* key, const platform::NameList& names, std::ostream& out) {
  out << ",\"" << key << "\":[";
  bool all_valid = true;
  for (std::size_t i = 0; i < names.size(); ++i) {
    out << (i > 0 ? "," : "") << JsonString(std::string(names[i]));
    all_valid = all_valid && IsValidUtf8(names[i]);
  }
  out << ']';
  if (all_valid) return;
  out << ",\"" << key << "_bytes\":[";
  for (std::size_t i = 0; i < names.size(); ++i) {
    out << (i > 0 ? "," : "") << (IsValidUtf8(names[i]) ? "null" : HexString(names[i]));
  }
  out << ']';
}

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
      ++i;
    } else if (c >= 0x20 && c < 0x7F) {
      json += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = c >= 0x80 ? Utf8Length(text, i) : 0; length > 0) {
      json.append(text, i, length);
      i += length;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
      json += escaped;
      ++i;
    }
  }
  return json + '"';
}

void WriteJson(const Report& report, std::ostream& out) {
  out << "{\"schema\":1,\"command\":\"" << report.command << "\",\"dry_run\":" << (report.dry_run ? "true" : "false")
      << ",\"interrupted\":" << (report.interrupted ? "true" : "false") << ",\"exit_code\":" << report.exit_code
      << ",\"items\":[";
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::uint64_t failed = 0;
  LeftFiles left;
  for (std::size_t i = 0; i < report.items.size(); ++i) {
    out << (i > 0 ? "," : "");
    WriteItemJson(report.items[i], report, out);
    files += report.items[i].removed_files;
    bytes += report.items[i].removed_bytes;
    failed += report.items[i].failed.size();
    left.Add(report.items[i].left);
  }
  out << "],\"typed_urls\":";
  if (report.typed_urls) {
    out << "{\"kill_all\":" << (report.typed_urls->kill_all ? "true" : "false")
        << ",\"present\":" << (report.typed_urls->present ? "true" : "false")
        << ",\"deleted\":" << (report.typed_urls->deleted ? "true" : "false") << '}';
  } else {
    out << "null";
  }
  out << ",\"total\":{\"removed_files\":" << files << ",\"removed_bytes\":" << bytes << ",\"failed_files\":" << failed
      << ",\"not_trashed_files\":" << left.NotTrashedCount();
  WriteReasons(left, out);
  out << "},\"space_regained\":";
  if (report.space_regained) {
    out << *report.space_regained;
  } else {
    out << "null";
  }
  out << "}\n";
}

std::uint64_t SpaceRegained(const std::vector<ItemResult>& items) {
  std::uint64_t bytes = 0;
  for (const ItemResult& item : items) bytes += item.left.FreedBytes();
  return bytes;
}

void WriteText(const Report& report, std::ostream& out) {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  for (const ItemResult& item : report.items) {
    WriteItemText(item, report, out);
    files += item.removed_files;
    bytes += item.removed_bytes;
  }
  if (report.typed_urls) {
    out << "typed-urls: "
        << (report.command == "list" ? (report.typed_urls->kill_all ? "Kill All ticked, " : "Kill All not ticked, ")
                                     : "")
        << (report.typed_urls->deleted   ? "deleted"
            : report.typed_urls->present ? "present"
                                         : "none stored")
        << '\n';
  }
  if (report.dry_run && report.items.empty() && report.command == "browsers") out << "No browser cache was found.\n";
  if (report.command == "list" || report.dry_run) return;
  out << "total: removed " << Counted(files, "file") << ", " << Counted(bytes, "byte");
  if (report.space_regained) out << "; disk space regained " << Counted(*report.space_regained, "byte");
  out << (report.interrupted ? " (interrupted)\n" : "\n");
}

}  // namespace vorlix::clean_tool
