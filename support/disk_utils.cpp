// SPDX-License-Identifier: MIT
// Free space of drives, in the figures Windows reports for them.

#include "support/disk_utils.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/ascii.h"
#include "platform/disk_space.h"
#include "platform/drive_paths.h"

namespace vorlix {
namespace {

constexpr char kFirstMeasuredDrive = 'C';
constexpr char kLastMeasuredDrive = 'Q';

std::optional<std::string> HostRootOf(char drive) {
  const char letter = drive == ' ' ? platform::GetCurrentDir()[0] : platform::AsciiUpper(drive);
  const std::optional<platform::ResolvedPath> root = platform::Resolve(std::string{letter, ':', '\\'});
  if (!root) return std::nullopt;
  return root->host;
}

std::uint32_t Capped(std::uint64_t value) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

std::int64_t AddSaturated(std::int64_t sum, std::uint64_t bytes) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
  return bytes > static_cast<std::uint64_t>(kMost - sum) ? kMost : sum + static_cast<std::int64_t>(bytes);
}

bool QueryDriveClusters(char drive, DriveClusters& clusters) {
  const std::optional<std::string> root = HostRootOf(drive);
  if (!root) return false;
  const std::optional<platform::FileSystemSpace> space = platform::SpaceOf(*root);
  if (!space) return false;
  const std::uint64_t sector = space->fragment_size % 512 == 0 ? 512 : space->fragment_size;
  clusters.bytes_per_sector = Capped(sector);
  clusters.sectors_per_cluster = Capped(space->fragment_size / sector);
  clusters.free_clusters = Capped(space->free_fragments);
  clusters.total_clusters = Capped(space->total_fragments);
  return true;
}

DriveSpace SpaceFromClusters(const DriveClusters& clusters) {
  const std::int64_t cluster = static_cast<std::int64_t>(clusters.bytes_per_sector) * clusters.sectors_per_cluster;
  DriveSpace space;
  space.total_size = cluster * clusters.total_clusters;
  space.total_free = cluster * clusters.free_clusters;
  space.available_to_user = space.total_free;
  return space;
}

bool QueryDriveSpace(char drive, DriveSpace& space) {
  if (const std::optional<std::string> root = HostRootOf(drive)) {
    const std::vector<platform::FileSystemSpace> systems = platform::SpacesUnder({*root});
    if (!systems.empty()) {
      space = DriveSpace{};
      for (const platform::FileSystemSpace& system : systems) {
        space.available_to_user = AddSaturated(space.available_to_user, system.available_bytes);
        space.total_free = AddSaturated(space.total_free, system.free_bytes);
        space.total_size = AddSaturated(space.total_size, system.total_bytes);
      }
      return true;
    }
  }
  DriveClusters clusters;
  if (!QueryDriveClusters(drive, clusters)) return false;
  space = SpaceFromClusters(clusters);
  return true;
}

std::int64_t SumFreeSpace() {
  std::vector<std::string> roots;
  for (char drive = kFirstMeasuredDrive; drive <= kLastMeasuredDrive; ++drive) {
    if (std::optional<std::string> root = HostRootOf(drive)) roots.push_back(std::move(*root));
  }
  std::int64_t sum = 0;
  for (const platform::FileSystemSpace& system : platform::SpacesUnder(roots))
    sum = AddSaturated(sum, system.free_bytes);
  return sum;
}

}  // namespace vorlix
