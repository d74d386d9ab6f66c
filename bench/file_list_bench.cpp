// SPDX-License-Identifier: MIT
// The main window's file list alone on a folder of 100,000 files (the window
// section measures it with the rest of the window).
#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/process.h"
#include "bench/offscreen_app.h"
#include "bench/scratch.h"
#include "bench/sections.h"
#include "platform/drive_paths.h"
#include "ui/file_list_box.h"

namespace vorlix::bench {
namespace {

void FileList() {
  platform::EnsureDefaultDrives();
  const std::string dir = ScratchDir("file-list");
  MakeFiles(dir, Count(100000, 1000));
  WithOffscreenApp([&] {
    FileListBox list;
    list.resize(248, 227);
    list.show();
    QCoreApplication::processEvents();
    const long before = ResidentKiB();
    const double listing = SecondsOf([&] { list.Show(std::make_shared<FolderLoad>("C:" + dir, SIZE_MAX)); });
    const double painting = SecondsOf([&] { QCoreApplication::processEvents(); });
    const long after = ResidentKiB();
    std::printf("file list of %zu files: listed in %.3f s, shown in %.3f s, %.1f MB more memory "
                "(targets: under 1 s, under 50 MB)\n",
                list.Items().size(), listing, painting, (after - before) / 1024.0);
  });
}

VORLIX_BENCH_SECTION("filelist", "the file list alone listing and showing 100,000 files", FileList);

}  // namespace
}  // namespace vorlix::bench
