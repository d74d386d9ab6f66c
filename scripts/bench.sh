#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmark program and prints its figures. Arguments name sections;
# none runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vorlix-bench
exec build/bench/vorlix-bench "$@"
