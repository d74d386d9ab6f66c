#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Loops the real windows through the activation races many times: a click on a
# folder button and on Delete Cache that activates the main window while the
# Help and About window is in front. Prints how many rounds held.
# Usage: scripts/stress-activation.sh [ROUNDS] (default 200).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target main_window_tests
VORLIX_STRESS_ROUNDS="${1:-200}" QT_QPA_PLATFORM=offscreen \
  build/tests/ui/main_window_tests --gtest_filter='*AClickThatActivatesTheWindow*' --gtest_brief=1
