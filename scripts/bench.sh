#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmark program and runs it; the arguments go to it as they are
# (sections, --quick, --markdown FILE, --help). scripts/bench-report.py takes
# every figure and writes them into docs/performance.md.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vorlix-bench >&2
exec build/bench/vorlix-bench "$@"
