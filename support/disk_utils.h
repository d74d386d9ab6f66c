// SPDX-License-Identifier: MIT
// Free space of drives, in the figures Windows reports for them.
#pragma once

#include <cstdint>

namespace vorlix {

struct DriveClusters {
  std::uint32_t free_clusters = 0;
  std::uint32_t total_clusters = 0;
  std::uint32_t bytes_per_sector = 0;
  std::uint32_t sectors_per_cluster = 0;
};

struct DriveSpace {
  std::int64_t available_to_user = 0;
  std::int64_t total_free = 0;
  std::int64_t total_size = 0;
};

// Cluster figures of a drive's own file system; a blank asks about the current
// drive. Counts too large for 32 bits are capped.
bool QueryDriveClusters(char drive, DriveClusters& clusters);

// Byte figures of a drive: every disk-backed file system mounted at or below
// its folder, each counted once; memory and kernel file systems add nothing.
bool QueryDriveSpace(char drive, DriveSpace& space);

// Total free bytes of drives c to q, each disk-backed file system counted once
// over all of them; a drive that cannot be queried adds nothing.
std::int64_t SumFreeSpace();

// A byte count added to a sum of byte counts (not negative); a sum beyond the
// largest signed 64-bit count stays at that count.
std::int64_t AddSaturated(std::int64_t sum, std::uint64_t bytes);

// Byte figures from cluster figures, without 32-bit overflow.
DriveSpace SpaceFromClusters(const DriveClusters& clusters);

}  // namespace vorlix
