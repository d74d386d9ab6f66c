// SPDX-License-Identifier: MIT

#include "tools/vorlix-reg/reg_file_reader.h"

#include <optional>

#include "tools/vorlix-reg/key_names.h"
#include "tools/vorlix-reg/reg_file_writer.h"
#include "tools/vorlix-reg/value_text.h"

namespace vorlix::reg_tool {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Reader {
 public:
  Reader(std::string_view text, const std::string& file_name) : text_(text), file_name_(file_name) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
  }

  std::vector<RegFileChange> ReadAll() {
    std::optional<std::string_view> line;
    while ((line = NextLine()) && Trim(*line).empty()) {
    }
    if (!line || Trim(*line) != kRegFileHeader) Fail("the file does not begin with REGEDIT4");
    while ((line = NextLine())) {
      const std::string_view trimmed = Trim(*line);
      if (trimmed.empty() || trimmed.front() == ';') continue;
      if (trimmed.front() == '[') {
        ReadHeader(trimmed);
      } else if (trimmed.front() == '"' || trimmed.front() == '@') {
        ReadValue(trimmed);
      } else {
        Fail("neither a [key] nor a \"value\"=data line");
      }
    }
    return std::move(changes_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw ToolError(file_name_ + ":" + std::to_string(line_number_) + ": " + what);
  }

  std::optional<std::string_view> NextLine() {
    if (text_.empty()) return std::nullopt;
    const std::size_t end = std::min(text_.find('\n'), text_.size());
    std::string_view line = text_.substr(0, end);
    text_.remove_prefix(std::min(end + 1, text_.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++line_number_;
    return line;
  }

  void ReadHeader(std::string_view line) {
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
    Add({erase ? RegFileChange::Kind::kDeleteKey : RegFileChange::Kind::kCreateKey, key.root,
         key.path});
    current_key_ = erase ? std::nullopt : std::optional<KeyName>(key);
  }

  // A quoted text at the start of `rest`, with \\ and \" escapes; `rest` then
  // starts after the closing quote.
  std::string ReadQuoted(std::string_view& rest) {
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
  std::string ReadHexData(std::string_view list) {
    std::string joined;
    list = Trim(list);
    while (!list.empty() && list.back() == '\\') {
      joined.append(list.substr(0, list.size() - 1));
      const std::optional<std::string_view> next = NextLine();
      if (!next) Fail("the file ends inside a hex list");
      list = Trim(*next);
    }
    joined.append(list);
    const std::optional<std::string> bytes = ParseHexList(joined);
    if (!bytes) Fail("malformed hex list (write bytes as two hex digits separated by commas)");
    return *bytes;
  }

  void ReadValue(std::string_view line) {
    if (!current_key_) Fail("a value line must follow a [key] line");
    RegFileChange change{RegFileChange::Kind::kSetValue, current_key_->root, current_key_->path};
    change.line = line_number_;
    std::string_view rest = line;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      change.name = ReadQuoted(rest);
    }
    rest = Trim(rest);
    if (rest.empty() || rest.front() != '=') Fail("= must follow the value name");
    rest = Trim(rest.substr(1));
    if (rest == "-") {
      change.kind = RegFileChange::Kind::kDeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      change.type = platform::kRegSz;
      change.data = ReadQuoted(rest) + '\0';
      if (!Trim(rest).empty()) Fail("text after the closing quote");
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
    changes_.push_back(std::move(change));
  }

  void Add(RegFileChange change) {
    change.line = line_number_;
    changes_.push_back(std::move(change));
  }

  std::string_view text_;
  const std::string& file_name_;
  int line_number_ = 0;
  std::optional<KeyName> current_key_;
  std::vector<RegFileChange> changes_;
};

}  // namespace

std::vector<RegFileChange> ReadRegFile(std::string_view text, const std::string& file_name) {
  return Reader(text, file_name).ReadAll();
}

}  // namespace vorlix::reg_tool
