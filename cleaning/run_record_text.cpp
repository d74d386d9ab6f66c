// SPDX-License-Identifier: MIT
// The text of a run record.

#include "cleaning/run_record_text.h"

#include <charconv>

namespace vorlix {
namespace {

constexpr std::string_view kHeader = "vorlix-run 1 ";

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '%': out += "%25"; break;
      case '\t': out += "%09"; break;
      case '\n': out += "%0A"; break;
      case '>': out += "%3E"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned value = 0;
    if (text[i] == '%' && i + 2 < text.size() &&
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr == text.data() + i + 3) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The text before and after the first TAB; the second part empty without one.
std::pair<std::string_view, std::string_view> SplitAtTab(std::string_view line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return {line, {}};
  return {line.substr(0, tab), line.substr(tab + 1)};
}

}  // namespace

std::string RunRecordWriter::Header(std::time_t when) {
  return std::string(kHeader) + std::to_string(static_cast<long long>(when)) + "\n";
}

std::string RunRecordWriter::Lines(const platform::TrashedAs& moved) {
  const std::size_t slash = moved.original.rfind('/');
  const std::string_view folder = std::string_view(moved.original).substr(0, slash);
  const std::string_view own = std::string_view(moved.original).substr(slash + 1);
  std::string lines;
  if (folder != folder_ || moved.trash != trash_) {
    folder_ = folder;
    trash_ = moved.trash;
    lines.append(1, '>').append(Escaped(folder_)).append(1, '\t').append(Escaped(trash_)).append(1, '\n');
  }
  lines += Escaped(moved.name);
  if (own != moved.name) lines.append(1, '\t').append(Escaped(own));
  lines += '\n';
  return lines;
}

std::optional<RecordedMoves> ReadRunRecord(std::string_view text) {
  const std::size_t header_end = text.find('\n');
  if (!text.starts_with(kHeader) || header_end == std::string_view::npos) return std::nullopt;
  RecordedMoves record;
  long long when = 0;
  std::from_chars(text.data() + kHeader.size(), text.data() + header_end, when);
  record.when = static_cast<std::time_t>(when);
  std::string folder;
  std::string trash;
  for (std::size_t start = header_end + 1; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.starts_with('>')) {
      const auto [folder_text, trash_text] = SplitAtTab(line.substr(1));
      folder = Unescaped(folder_text);
      trash = Unescaped(trash_text);
    } else if (!line.empty() && !trash.empty()) {
      const auto [name, own] = SplitAtTab(line);
      const std::string trashed = Unescaped(name);
      record.moves.push_back({trash, trashed, folder + "/" + (own.empty() ? trashed : Unescaped(own))});
    }
  }
  return record;
}

}  // namespace vorlix
