// SPDX-License-Identifier: MIT
// The benchmark's own process: its memory (from /proc/self) and CPU time.
#pragma once

namespace vorlix::bench {

// Resident memory now (VmRSS), in KiB.
long ResidentKiB();
// The peak resident memory (VmHWM) since the start or the last ResetPeak, in KiB.
long PeakKiB();
// Starts a new peak at the memory resident now; false when the kernel refuses.
bool ResetPeak();

// CPU seconds, user and system, of this process's threads (RUSAGE_SELF) or
// of its waited-for children (RUSAGE_CHILDREN).
double CpuSeconds(int who);

}  // namespace vorlix::bench
