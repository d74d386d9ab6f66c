#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vorlix and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vorlix
exec build/app/vorlix "$@"
