// SPDX-License-Identifier: MIT
// A progress bar on standard error, for a person at a terminal: files done of
// the total, bytes, rate and time left, redrawn at most ten times a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlix::clean_tool {

class ProgressBar {
 public:
  // Draws only when `enabled` (standard error is a terminal and --quiet not given).
  explicit ProgressBar(bool enabled) : enabled_(enabled) {}
  // The bytes in all are told once known: files are sized while the first ones go.
  void Start(const std::string& label, std::uint64_t total_files);
  void SetTotalBytes(std::uint64_t total_bytes);
  void Update(std::uint64_t files, std::uint64_t bytes);
  // Clears the bar's line, so that a message or the report can follow.
  void Clear();

 private:
  void Draw(std::uint64_t files, std::uint64_t bytes);

  bool enabled_;
  bool drawn_ = false;
  std::string label_;
  std::uint64_t total_files_ = 0;
  std::optional<std::uint64_t> total_bytes_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_draw_;
};

}  // namespace vorlix::clean_tool
