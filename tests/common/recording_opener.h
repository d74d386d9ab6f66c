// SPDX-License-Identifier: MIT
// A desktop opener for tests: it records what it is asked to open and starts
// nothing. It is installed while it lives.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop_opener.h"

namespace vorlix::test {

class RecordingOpener final : public platform::DesktopOpener {
 public:
  RecordingOpener() { platform::InstallDesktopOpener(this); }
  ~RecordingOpener() override { platform::InstallDesktopOpener(nullptr); }
  RecordingOpener(const RecordingOpener&) = delete;
  RecordingOpener& operator=(const RecordingOpener&) = delete;

  int OpenPath(const std::string& host_path) override {
    paths.push_back(host_path);
    return result;
  }
  int OpenUri(const std::string& uri) override {
    uris.push_back(uri);
    return result;
  }

  std::vector<std::string> paths;
  std::vector<std::string> uris;
  int result = 0;  // what every request answers
};

}  // namespace vorlix::test
