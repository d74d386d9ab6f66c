#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Kills a trash run with SIGKILL midway many times, each time at another
# moment, and restores it from its record. Prints how many rounds held (every
# file that had moved came back).
# Usage: scripts/stress-journal.sh [ROUNDS] (default 50).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target cleaning_tests
rounds="${1:-50}"
held=0
for ((round = 1; round <= rounds; ++round)); do
  if build/tests/cleaning/cleaning_tests --gtest_filter='*ARunKilledMidway*' --gtest_brief=1 >/dev/null 2>&1; then
    held=$((held + 1))
  else
    echo "round $round failed"
  fi
done
echo "$held of $rounds rounds held"
[[ $held -eq $rounds ]]
