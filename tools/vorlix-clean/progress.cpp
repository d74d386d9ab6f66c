// SPDX-License-Identifier: MIT
// A progress bar on standard error, for a person at a terminal.

#include "tools/vorlix-clean/progress.h"

#include <cstdio>

#include "support/text_utils.h"

namespace vorlix::clean_tool {
namespace {

constexpr int kBarWidth = 24;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

}  // namespace

void ProgressBar::Start(const std::string& label, std::uint64_t total_files) {
  label_ = label;
  total_files_ = total_files;
  total_bytes_.reset();
  start_ = std::chrono::steady_clock::now();
  last_draw_ = start_ - kRedrawEvery;
  Update(0, 0);
}

void ProgressBar::SetTotalBytes(std::uint64_t total_bytes) { total_bytes_ = total_bytes; }

void ProgressBar::Update(std::uint64_t files, std::uint64_t bytes) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_draw_ < kRedrawEvery && files != total_files_) return;
  last_draw_ = now;
  Draw(files, bytes);
}

void ProgressBar::Draw(std::uint64_t files, std::uint64_t bytes) {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(files) / seconds : 0;
  const int filled = total_files_ == 0 ? kBarWidth : static_cast<int>(files * kBarWidth / total_files_);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '-');
  std::string left = "--:--";
  if (rate > 0) {
    const auto remaining = static_cast<long long>(static_cast<double>(total_files_ - files) / rate);
    char text[24];
    std::snprintf(text, sizeof text, "%lld:%02lld", remaining / 60, remaining % 60);
    left = text;
  }
  std::string byte_figures = SizeText(bytes);
  if (total_bytes_) byte_figures.append(" of ").append(SizeText(*total_bytes_));
  std::fprintf(stderr, "\r\033[K%s [%s] %llu/%s, %s, %.0f files/s, %s left", label_.c_str(), bar.c_str(),
               static_cast<unsigned long long>(files), Counted(total_files_, "file").c_str(),
               byte_figures.c_str(), rate, left.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace vorlix::clean_tool
