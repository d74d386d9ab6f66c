// SPDX-License-Identifier: MIT
// Stress command: deletes a listed folder's files many times over while the
// folder is swapped for a link to another folder, into the trash and for
// good, and prints in how many rounds the other folder kept every file.
// Usage: vorlix-swap-stress [rounds] [files per round]
#include <cstdio>
#include <cstdlib>

#include "tests/cleaning/swap_round.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  const int files = argc > 2 ? std::atoi(argv[2]) : 500;
  vorlix::test::TestRoot();  // HOME, the trash and the settings in a temporary folder
  vorlix::test::ResetDrives();
  int failed = 0;
  for (const bool recycle : {true, false}) {
    int held = 0, stopped = 0;
    for (int i = 0; i < rounds; ++i) {
      const vorlix::test::SwapRound round = vorlix::test::RunSwapRound(recycle, files);
      held += round.held;
      stopped += round.stopped || round.left == 0;
    }
    std::printf("%s, %d files: the other folder kept every file in %d of %d rounds; "
                "the run stopped with its message (or had finished) in %d\n",
                recycle ? "into the trash" : "for good", files, held, rounds, stopped);
    failed += rounds - held;
  }
  return failed == 0 ? 0 : 1;
}
