#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vorlix and runs every test: the full build, then the core again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Compiler warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLIX_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLIX_CORE_ONLY=ON -DVORLIX_SANITIZE=ON -DVORLIX_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
