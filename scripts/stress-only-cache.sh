#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Loops vorlix-clean through the ways a cleaning could be led out of the
# folder it checked into the user's own files, and prints, per way, how many
# rounds lost none of them. Each way is one file in scripts/only-cache/: it
# defines `case_NAME` (for NAME.sh, with - as _), whose "# CASE:" line says
# what it tries, and which prints the count of user files lost as its last
# line of output. Each round of each way runs in a new private home.
# Usage: scripts/stress-only-cache.sh [--build-dir DIR] [ROUNDS] [NAME ...]
# (default 20 rounds, every way). With --build-dir the programs are taken
# from DIR as they are (the tests run one round so); otherwise they are
# built first.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/stress-programs.sh
source scripts/stress-programs.sh
rounds=${1:-20}
shift || true
export clean reg
cases=("$@")
if [ ${#cases[@]} -eq 0 ]; then
  for file in scripts/only-cache/*.sh; do cases+=("$(basename "$file" .sh)"); done
fi

top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
failed=0
for name in "${cases[@]}"; do
  # shellcheck source=/dev/null
  source "scripts/only-cache/$name.sh"
  what=$(sed -n 's/^# CASE: //p' "scripts/only-cache/$name.sh")
  held=0
  for ((round = 1; round <= rounds; round++)); do
    root="$top/$name-$round"
    mkdir -p "$root/home/Documents" "$root/runtime" "$root/w"
    lost=$(
      export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
      export XDG_CACHE_HOME="$root/home/.cache" XDG_RUNTIME_DIR="$root/runtime"
      w="$root/w"
      "case_${name//-/_}" | tail -n 1
    )
    if [ "$lost" = "0" ]; then held=$((held + 1)); else echo "  $name round $round: $lost user files lost"; fi
    rm -rf "$root" 2>/dev/null || true
  done
  echo "$what: no user file lost in $held of $rounds rounds"
  [ "$held" -eq "$rounds" ] || failed=1
done
exit "$failed"
