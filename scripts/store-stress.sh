#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Crash and race rounds on the settings store, printing how many rounds held.
#   kill:   vorlix-reg imports a large .reg file and is killed with SIGKILL at a
#           random moment; the store must then open (never be called damaged)
#           and hold either none or all of the import.
#   beside: four processes open the store again and again while another
#           imports a large .reg file; no open may be refused.
# Usage: scripts/store-stress.sh [ROUNDS] (default 50 of each). VORLIX_REG names
# another vorlix-reg program to try instead of the one built here.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-50}
reg=${VORLIX_REG:-}
if [[ -z $reg ]]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$(nproc)" --target vorlix-reg >/dev/null
  reg="$PWD/build/tools/vorlix-reg/vorlix-reg"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlix-stress-XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"

# About 8 MB: 40 keys of 500 values of 400 characters.
big="$work/big.reg"
awk 'BEGIN {
  text = sprintf("%400s", ""); gsub(/ /, "x", text)
  print "REGEDIT4"
  for (k = 0; k < 40; ++k) {
    printf "\n[HKEY_CURRENT_USER\\Software\\Stress\\Key %d]\n", k
    for (v = 0; v < 500; ++v) printf "\"Value %d\"=\"%s\"\n", v, text
  }
}' > "$big"

fresh_store() {
  export XDG_CONFIG_HOME="$work/config-$1"
  rm -rf "$XDG_CONFIG_HOME"
  "$reg" set 'HKCU\Software\Stress' Before REG_SZ kept
}

# The store opens and holds the value set before the round, and all of the
# import or none of it.
store_holds() {
  local out values
  out=$("$reg" query 'HKCU\Software\Stress' Before 2>&1) || { echo "  $out" >&2; return 1; }
  values=$("$reg" export 'HKCU\Software\Stress' 2>&1 | grep -c '^"Value' || true)
  [[ $values == 0 || $values == 20000 ]] || { echo "  a partial import: $values values" >&2; return 1; }
}

# Kills land in the second half of an import, where it commits and writes its
# log back into the store.
fresh_store "timing"
started=$(date +%s%N)
"$reg" import "$big"
import_ms=$((($(date +%s%N) - started) / 1000000))

held=0
for ((i = 1; i <= rounds; ++i)); do
  fresh_store "kill"
  "$reg" import "$big" &
  pid=$!
  delay=$((import_ms / 2 + RANDOM % (import_ms / 2 + 1)))
  sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  store_holds && held=$((held + 1))
done
echo "kill -9 during a large import: $held of $rounds rounds held"

held=0
for ((i = 1; i <= rounds; ++i)); do
  fresh_store "beside"
  "$reg" import "$big" &
  importer=$!
  refusals="$work/refusals"
  : > "$refusals"
  openers=()
  for _ in 1 2 3 4; do
    (
      while kill -0 "$importer" 2>/dev/null; do
        "$reg" query 'HKCU\Software\Stress' Before >/dev/null 2>>"$refusals" || true
      done
    ) &
    openers+=($!)
  done
  wait "$importer"
  wait "${openers[@]}"
  if [[ -s $refusals ]]; then
    echo "  $(sort -u "$refusals" | head -n 1)" >&2
  elif store_holds; then
    held=$((held + 1))
  fi
done
echo "four processes opening beside a large import: $held of $rounds rounds held"
