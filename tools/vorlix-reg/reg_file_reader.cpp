// SPDX-License-Identifier: MIT
// Reading the REGEDIT4 .reg text form as a stream of changes, one at a time, so that memory stays
// bounded whatever the size of the file.

#include "tools/vorlix-reg/reg_file_reader.h"

#include <cerrno>
#include <cstring>

#include "platform/ascii.h"
#include "tools/vorlix-reg/reg_file_writer.h"
#include "tools/vorlix-reg/value_text.h"

namespace vorlix::reg_tool {
namespace {

constexpr std::size_t kReadSize = 64 << 10;

}  // namespace

RegFileReader::RegFileReader(std::FILE* in, std::string file_name)
    : in_(in), file_name_(std::move(file_name)), buffer_(kReadSize) {}

void RegFileReader::Fail(const std::string& what) const {
  throw ToolError(file_name_ + ":" + std::to_string(line_number_) + ": " + what);
}

bool RegFileReader::NextLine() {
  line_.clear();
  bool any = false;
  while (true) {
    if (taken_ == buffered_) {
      buffered_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
      taken_ = 0;
      if (buffered_ == 0) {
        if (std::ferror(in_)) throw ToolError("cannot read " + file_name_ + ": " + std::strerror(errno));
        break;
      }
    }
    if (!any) ++line_number_;
    any = true;
    const char* start = buffer_.data() + taken_;
    const auto* end = static_cast<const char*>(std::memchr(start, '\n', buffered_ - taken_));
    const std::size_t count =
        end != nullptr ? static_cast<std::size_t>(end - start) : buffered_ - taken_;
    if (line_.size() + count > kMaxLineLength) {
      Fail("the line is longer than " + std::to_string(kMaxLineLength) + " bytes");
    }
    line_.append(start, count);
    taken_ += count;
    if (end != nullptr) {
      ++taken_;
      break;
    }
  }
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  return any;
}

std::optional<RegFileChange> RegFileReader::Next() {
  if (!started_) {
    started_ = true;
    bool read = false;
    while ((read = NextLine()) && platform::TrimBlanks(line_).empty()) {
    }
    std::string_view first = line_;
    if (first.substr(0, 3) == "\xEF\xBB\xBF") first.remove_prefix(3);
    if (!read || platform::TrimBlanks(first) != kRegFileHeader) Fail("the file does not begin with REGEDIT4");
  }
  while (NextLine()) {
    const std::string_view trimmed = platform::TrimBlanks(line_);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (trimmed.front() == '[') return ReadHeader(trimmed);
    if (trimmed.front() == '"' || trimmed.front() == '@') return ReadValue(trimmed);
    Fail("neither a [key] nor a \"value\"=data line");
  }
  return std::nullopt;
}

RegFileChange RegFileReader::ReadHeader(std::string_view line) {
  if (line.back() != ']') Fail("a key line must end with ]");
  std::string_view name = line.substr(1, line.size() - 2);
  const bool erase = !name.empty() && name.front() == '-';
  if (erase) name.remove_prefix(1);
  KeyName key;
  try {
    key = ParseKeyName(name);
  } catch (const ToolError& error) {
    Fail(error.what());
  }
  if (erase && key.path.empty()) Fail("a root key cannot be deleted");
  current_key_ = erase ? std::nullopt : std::optional<KeyName>(key);
  return {erase ? RegFileChange::Kind::kDeleteKey : RegFileChange::Kind::kCreateKey,
          key.root,
          std::move(key.path),
          {},
          0,
          {},
          line_number_};
}

// A quoted text at the start of `rest`, with \\ and \" escapes; `rest` then
// starts after the closing quote.
std::string RegFileReader::ReadQuoted(std::string_view& rest) {
  std::string text;
  for (std::size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '"') {
      rest.remove_prefix(i + 1);
      return text;
    }
    if (rest[i] == '\\') {
      if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"')) {
        Fail("only \\\\ and \\\" may follow a backslash in a quoted text");
      }
    }
    text += rest[i];
  }
  Fail("a quoted text has no closing quote");
}

// A hex list, joined with the lines it goes on over.
std::string RegFileReader::ReadHexData(std::string_view list) {
  std::string joined;
  list = platform::TrimBlanks(list);
  while (!list.empty() && list.back() == '\\') {
    joined.append(list.substr(0, list.size() - 1));
    if (joined.size() > kMaxLineLength)
      Fail("a hex list longer than " + std::to_string(kMaxLineLength) + " bytes");
    if (!NextLine()) Fail("the file ends inside a hex list");
    list = platform::TrimBlanks(line_);
  }
  joined.append(list);
  const std::optional<std::string> bytes = ParseHexList(joined);
  if (!bytes) Fail("malformed hex list (write bytes as two hex digits separated by commas)");
  if (bytes->size() > kMaxValueData) {
    Fail("the value's data is longer than " + std::to_string(kMaxValueData) + " bytes");
  }
  return *bytes;
}

RegFileChange RegFileReader::ReadValue(std::string_view line) {
  if (!current_key_) Fail("a value line must follow a [key] line");
  RegFileChange change{RegFileChange::Kind::kSetValue, current_key_->root, current_key_->path};
  change.line = line_number_;
  std::string_view rest = line;
  if (rest.front() == '@') {
    rest.remove_prefix(1);
  } else {
    change.name = ReadQuoted(rest);
    CheckName(change.name);
  }
  rest = platform::TrimBlanks(rest);
  if (rest.empty() || rest.front() != '=') Fail("= must follow the value name");
  rest = platform::TrimBlanks(rest.substr(1));
  if (rest == "-") {
    change.kind = RegFileChange::Kind::kDeleteValue;
  } else if (!rest.empty() && rest.front() == '"') {
    change.type = platform::kRegSz;
    change.data = ReadQuoted(rest) + '\0';
    if (!platform::TrimBlanks(rest).empty()) Fail("text after the closing quote");
  } else if (rest.substr(0, 6) == "dword:") {
    const std::optional<std::uint32_t> number = ParseHexNumber(rest.substr(6));
    if (!number) Fail("dword: must be followed by 1 to 8 hex digits");
    change.type = platform::kRegDword;
    change.data = DwordBytes(*number);
  } else if (rest.substr(0, 4) == "hex:") {
    change.type = platform::kRegBinary;
    change.data = ReadHexData(rest.substr(4));
  } else if (rest.substr(0, 4) == "hex(") {
    const std::size_t close = rest.find("):");
    const std::optional<std::uint32_t> type =
        close == std::string_view::npos ? std::nullopt : ParseHexNumber(rest.substr(4, close - 4));
    if (!type) Fail("hex( must be followed by a hex type number and ):");
    change.type = *type;
    change.data = ReadHexData(rest.substr(close + 2));
  } else {
    Fail("unknown data (use \"text\", dword:, hex:, hex(n): or -)");
  }
  return change;
}

void RegFileReader::CheckName(std::string_view name) const {
  try {
    CheckValueName(name);
  } catch (const ToolError& error) {
    Fail(error.what());
  }
}

}  // namespace vorlix::reg_tool
