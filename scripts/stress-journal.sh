#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Kills a trash run with SIGKILL midway many times, each time at another
# moment, and restores it from its record. Prints how many rounds held (every
# file that had moved came back). Each round does it twice: once inside the
# cleaning tests, and once with the real vorlix-clean on 20,000 files
# (`run u1 --trash`, killed, then `restore --last`).
# Usage: scripts/stress-journal.sh [ROUNDS] (default 50).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target cleaning_tests vorlix-clean vorlix-reg
rounds="${1:-50}"
clean=$(realpath build/tools/vorlix-clean/vorlix-clean)
reg=$(realpath build/tools/vorlix-reg/vorlix-reg)
files=20000

# vorlix-clean's settings, trash and folder lie below one temporary folder.
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
export HOME="$top/home" XDG_CONFIG_HOME="$top/home/.config" XDG_DATA_HOME="$top/home/.local/share"
cache="$top/cache"
mkdir -p "$HOME" "$cache"
key='HKCU\Software\Tolvex\Vorlix 5.0'
"$reg" set "$key" "User Button 1 Default Folder" REG_SZ "C:$cache" >/dev/null
"$reg" set "$key" "User Button 1 Hint" REG_SZ "C:$cache" >/dev/null

# One round of the real program: true when every file is back with its content.
cli_round() {
  rm -rf "$XDG_DATA_HOME/Trash" "$XDG_CONFIG_HOME/vorlix/runs"
  (cd "$cache" && seq 1 "$files" | xargs -n 2000 sh -c 'for i; do echo "$i" >"f$i"; done' sh)
  "$clean" run u1 --trash --quiet >/dev/null 2>&1 &
  local run=$!
  sleep "0.$((RANDOM % 60 + 5))"
  kill -9 "$run" 2>/dev/null || true
  wait "$run" 2>/dev/null || true
  "$clean" restore --last >/dev/null || return 1
  local back
  back=$(find "$cache" -maxdepth 1 -type f | wc -l)
  [[ $back -eq $files ]] || { echo "  $back of $files files back"; return 1; }
  # Each file holds its own number.
  (cd "$cache" && find . -maxdepth 1 -type f -print0 |
    xargs -0 awk '{ if (FILENAME != "./f" $0) { print "  " FILENAME " changed"; exit 1 } }')
}

held=0
for ((round = 1; round <= rounds; ++round)); do
  if build/tests/cleaning/cleaning_tests --gtest_filter='*ARunKilledMidway*' --gtest_brief=1 >/dev/null 2>&1 &&
    cli_round; then
    held=$((held + 1))
  else
    echo "round $round failed"
  fi
done
echo "$held of $rounds rounds held"
[[ $held -eq $rounds ]]
