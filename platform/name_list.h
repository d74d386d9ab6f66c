// SPDX-License-Identifier: MIT
// A list of entry names packed into one buffer: a folder of a million files
// costs its names' own bytes and four more each, not a string object each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix::platform {

class NameList {
 public:
  NameList() = default;
  NameList(std::initializer_list<std::string_view> names);
  // From names held as strings (implicit, for callers that build a list by hand).
  NameList(const std::vector<std::string>& names);  // NOLINT(google-explicit-constructor)

  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  // The i-th name. A NUL follows it, so its data() is a C string.
  std::string_view operator[](std::size_t i) const { return chars_.data() + starts_[i]; }

  // Adds a name (it must hold no NUL). False, and nothing added, once the
  // names would pass 4 GiB in all.
  bool push_back(std::string_view name);
  void clear();
  // Orders the names by bytes with ASCII letters folded, as a listing shows them.
  void SortIgnoringAsciiCase();

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;
    const_iterator() = default;
    const_iterator(const NameList* list, std::size_t index) : list_(list), index_(index) {}
    std::string_view operator*() const { return (*list_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const const_iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const const_iterator& other) const = default;

   private:
    const NameList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // The same names in the same order.
  friend bool operator==(const NameList& a, const NameList& b);

 private:
  std::vector<char> chars_;            // each name followed by a NUL, in the order added
  std::vector<std::uint32_t> starts_;  // where each name begins in chars_, in list order
};

}  // namespace vorlix::platform
