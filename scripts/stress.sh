#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the stress commands and runs them. Arguments: rounds and files per
# round of the folder-swap race (200 and 500 when none are given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vorlix-swap-stress
exec build/tests/cleaning/vorlix-swap-stress "$@"
