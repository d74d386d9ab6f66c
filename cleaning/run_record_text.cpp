// SPDX-License-Identifier: MIT
// The text of a run record.

#include "cleaning/run_record_text.h"

#include <charconv>
#include <system_error>
#include <vector>

namespace vorlix {
namespace {

constexpr std::string_view kHeader = "vorlix-run ";
constexpr int kVersion = 2;

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

// The fields of a line between its TABs.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::string IdentityText(const platform::FileIdentity& identity) {
  return std::to_string(static_cast<unsigned long long>(identity.device)) + ':' +
         std::to_string(static_cast<unsigned long long>(identity.inode));
}

// A whole text as a number; nothing when it is not one.
template <typename Number>
std::optional<Number> ReadNumber(std::string_view text) {
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<platform::FileIdentity> ReadIdentity(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto device = ReadNumber<unsigned long long>(text.substr(0, colon));
  const auto inode = ReadNumber<unsigned long long>(text.substr(colon + 1));
  if (!device || !inode) return std::nullopt;
  return platform::FileIdentity{static_cast<dev_t>(*device), static_cast<ino_t>(*inode)};
}

}  // namespace

std::string RunRecordWriter::Header(std::time_t when) {
  return std::string(kHeader) + std::to_string(kVersion) + ' ' + std::to_string(static_cast<long long>(when)) + "\n";
}

std::string RunRecordWriter::Lines(const platform::TrashedAs& moved) {
  const std::size_t slash = moved.original.rfind('/');
  const std::string_view folder = std::string_view(moved.original).substr(0, slash);
  const std::string_view own = std::string_view(moved.original).substr(slash + 1);
  const platform::FileIdentity identity = moved.folder.value_or(platform::FileIdentity{});
  const platform::TrashMark mark = moved.mark.value_or(platform::TrashMark{});
  std::string lines;
  if (folder != folder_ || moved.trash != trash_ || identity_ != identity) {
    folder_ = folder;
    trash_ = moved.trash;
    identity_ = identity;
    lines.append(1, '>').append(Escaped(folder_)).append(1, '\t').append(Escaped(trash_));
    lines.append(1, '\t').append(IdentityText(identity)).append(1, '\n');
  }
  lines.append(Escaped(moved.name)).append(1, '\t').append(IdentityText(mark.entry));
  lines.append(1, '\t').append(IdentityText(mark.record)).append(1, '\t').append(std::to_string(mark.record_changed));
  lines.append(1, '\t').append(mark.digest);
  if (own != moved.name) lines.append(1, '\t').append(Escaped(own));
  lines += '\n';
  return lines;
}

bool RunRecordReader::Header(std::string_view line) {
  if (!line.starts_with(kHeader)) return false;
  const char* const end = line.data() + line.size();
  const auto [space, version_error] = std::from_chars(line.data() + kHeader.size(), end, version_);
  if (version_error != std::errc() || version_ < 1 || version_ > kVersion || space == end || *space != ' ') {
    return false;
  }
  long long when = 0;
  std::from_chars(space + 1, end, when);
  when_ = static_cast<std::time_t>(when);
  return true;
}

std::optional<RecordedMove> RunRecordReader::Line(std::string_view line) {
  const std::vector<std::string_view> fields = Fields(line.starts_with('>') ? line.substr(1) : line);
  if (line.starts_with('>')) {
    folder_ = Unescaped(fields[0]);
    trash_ = fields.size() > 1 ? Unescaped(fields[1]) : std::string();
    identity_ = fields.size() > 2 ? ReadIdentity(fields[2]) : std::nullopt;
    return std::nullopt;
  }
  if (line.empty() || trash_.empty()) return std::nullopt;
  const std::string trashed = Unescaped(fields[0]);
  RecordedMove move{trash_, trashed, {}, identity_, std::nullopt};
  const std::size_t own_field = version_ >= 2 ? 5 : 1;
  const std::string_view own = fields.size() > own_field ? fields[own_field] : std::string_view();
  if (version_ >= 2 && fields.size() >= 5) {
    // Without all of its mark the move cannot be told from another program's.
    const std::optional<platform::FileIdentity> entry = ReadIdentity(fields[1]);
    const std::optional<platform::FileIdentity> record = ReadIdentity(fields[2]);
    const std::optional<std::int64_t> changed = ReadNumber<std::int64_t>(fields[3]);
    if (entry && record && changed && !fields[4].empty()) {
      move.mark = platform::TrashMark{*entry, *record, *changed, std::string(fields[4])};
    }
  }
  move.original = folder_ + "/" + (own.empty() ? trashed : Unescaped(own));
  return move;
}

}  // namespace vorlix
