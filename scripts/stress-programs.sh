# SPDX-License-Identifier: MIT
# Sourced by the stress commands, with their arguments: a leading
# "--build-dir DIR" takes the programs from DIR as they are (the tests run
# one round so) and is shifted away; otherwise they are built in build/.
# Sets `clean` and `reg` to vorlix-clean and vorlix-reg.
build=""
if [ "${1:-}" = "--build-dir" ]; then
  build=$2
  shift 2
fi
if [ -z "$build" ]; then
  scripts/deps.sh
  build=build
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" --target vorlix-clean vorlix-reg
fi
clean=$(realpath "$build/tools/vorlix-clean/vorlix-clean")
reg=$(realpath "$build/tools/vorlix-reg/vorlix-reg")
