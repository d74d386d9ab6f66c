// SPDX-License-Identifier: MIT
// Reading a folder for a folder view, a large one partly in the background.

#include "cleaning/folder_load.h"

namespace vorlix {
namespace {

// Entries read per step on the reading thread, between looks at the stop flag.
constexpr std::size_t kStep = 4096;

}  // namespace

FolderLoad::FolderLoad(const std::string& folder, std::size_t at_once)
    : entries_(platform::FolderEntries::Open(folder)), files_{folder, std::nullopt, {}} {
  if (entries_) reading_.emplace(*entries_);
  if (!reading_ || !reading_->ok()) {
    complete_ = true;  // a folder that cannot be read lists nothing
    return;
  }
  files_.identity = entries_->Identity();
  if (reading_->Next(contents_, at_once)) {
    Finish();
    return;
  }
  at_once_ = false;
  first_ = {folder, files_.identity, contents_.files};
  first_.names.SortIgnoringAsciiCase();
  thread_ = std::thread([this] {
    while (!stop_.load(std::memory_order_relaxed) && !reading_->Next(contents_, kStep)) {
    }
    if (!stop_.load(std::memory_order_relaxed)) Finish();
  });
}

FolderLoad::~FolderLoad() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void FolderLoad::Finish() {
  files_.names = std::move(contents_.files);
  subfolders_ = std::move(contents_.folders);
  files_.names.SortIgnoringAsciiCase();
  subfolders_.SortIgnoringAsciiCase();
  reading_.reset();
  complete_.store(true, std::memory_order_release);
}

void FolderLoad::Wait() {
  if (thread_.joinable()) thread_.join();
}

ListedFolder FolderLoad::TakeFiles() {
  Wait();
  return std::move(files_);
}

platform::NameList FolderLoad::TakeSubfolders() {
  Wait();
  return std::move(subfolders_);
}

}  // namespace vorlix
