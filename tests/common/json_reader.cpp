// SPDX-License-Identifier: MIT

#include "tests/common/json_reader.h"

#include <cctype>
#include <cstddef>
#include <stdexcept>

namespace vorlix::test {
namespace {

const JsonValue kNullValue;

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  std::optional<JsonValue> Document() {
    std::optional<JsonValue> value = Value();
    SkipSpace();
    if (at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() && std::string(" \n\r\t").find(text_[at_]) != std::string::npos) ++at_;
  }

  bool Take(char c) {
    SkipSpace();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  bool TakeWord(const std::string& word) {
    if (text_.compare(at_, word.size(), word) != 0) return false;
    at_ += word.size();
    return true;
  }

  std::optional<JsonValue> Value() {
    SkipSpace();
    if (at_ >= text_.size()) return std::nullopt;
    JsonValue value;
    const char c = text_[at_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') {
      value.kind = JsonValue::Kind::kString;
      if (!String(value.text)) return std::nullopt;
    } else if (TakeWord("null")) {
      value.kind = JsonValue::Kind::kNull;
    } else if (TakeWord("true")) {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = true;
    } else if (TakeWord("false")) {
      value.kind = JsonValue::Kind::kBool;
    } else {
      const std::size_t start = at_;
      while (at_ < text_.size() && std::string("+-.eE0123456789").find(text_[at_]) != std::string::npos) ++at_;
      if (at_ == start) return std::nullopt;
      value.kind = JsonValue::Kind::kNumber;
      value.text = text_.substr(start, at_ - start);
    }
    return value;
  }

  // An array or object from its opening bracket to `close`, each item read by
  // `read_item` into the value.
  template <typename ReadItem>
  std::optional<JsonValue> Sequence(JsonValue::Kind kind, char close, ReadItem read_item) {
    JsonValue value;
    value.kind = kind;
    ++at_;
    if (Take(close)) return value;
    do {
      if (!read_item(value)) return std::nullopt;
    } while (Take(','));
    return Take(close) ? std::optional<JsonValue>(std::move(value)) : std::nullopt;
  }

  std::optional<JsonValue> Array() {
    return Sequence(JsonValue::Kind::kArray, ']', [this](JsonValue& array) {
      std::optional<JsonValue> item = Value();
      if (item) array.items.push_back(std::move(*item));
      return item.has_value();
    });
  }

  std::optional<JsonValue> Object() {
    return Sequence(JsonValue::Kind::kObject, '}', [this](JsonValue& object) {
      std::string name;
      SkipSpace();
      if (!String(name) || !Take(':')) return false;
      std::optional<JsonValue> value = Value();
      if (!value) return false;
      object.names.push_back(std::move(name));
      object.items.push_back(std::move(*value));
      return true;
    });
  }

  // The code point of \uXXXX (the \u already taken) as UTF-8.
  bool CodePoint(std::string& out) {
    if (at_ + 4 > text_.size()) return false;
    unsigned code = 0;
    for (const char digit : text_.substr(at_, 4)) {
      const std::size_t value = std::string("0123456789abcdef").find(static_cast<char>(std::tolower(digit)));
      if (value == std::string::npos) return false;
      code = code * 16 + static_cast<unsigned>(value);
    }
    at_ += 4;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return true;
  }

  // A string at text_[at_], its escapes undone, \u as UTF-8.
  bool String(std::string& out) {
    if (at_ >= text_.size() || text_[at_] != '"') return false;
    ++at_;
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char escape = text_[at_++];
      const std::string simple = "\"\\/bfnrt";
      const std::string meant = "\"\\/\b\f\n\r\t";
      if (const std::size_t k = simple.find(escape); k != std::string::npos) {
        out += meant[k];
      } else if (escape != 'u' || !CodePoint(out)) {
        return false;
      }
    }
    if (at_ >= text_.size()) return false;
    ++at_;
    return true;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return items[i];
  }
  return kNullValue;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
  return index < items.size() ? items[index] : kNullValue;
}

long long JsonValue::Number() const {
  std::size_t used = 0;
  const long long number = kind == Kind::kNumber ? std::stoll(text, &used) : 0;
  if (kind != Kind::kNumber || used != text.size()) throw std::invalid_argument("not a whole number: " + text);
  return number;
}

std::optional<JsonValue> ParseJson(const std::string& text) { return Reader(text).Document(); }

}  // namespace vorlix::test
