#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Loops vorlix-clean through the ways a run could clean a folder the user did
# not name, many rounds over, and prints how many rounds held:
# - a Linux path in another letter case (the folder or one above it), dressed
#   with "." and ".." parts: the folder is missing, nothing is deleted;
# - a stored slot whose folder vanished beside a twin in another case, also
#   while another process keeps swapping the folder for its twin during runs:
#   the twin's files are never deleted;
# - the home folder, a user folder and the root (through a link and through a
#   drive), stored or named: never cleaned;
# - a browser's cache subfolders swapped for links to another folder while
#   `browsers` empties them: the other folder's files are never deleted.
# Usage: scripts/stress-named.sh [--build-dir DIR] [ROUNDS] (default 100).
# With --build-dir the programs are taken from DIR as they are (the tests run
# one round so); otherwise they are built first.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/stress-programs.sh
source scripts/stress-programs.sh
rounds=${1:-100}

# Everything happens below one temporary folder: home, settings, trash.
top=$(mktemp -d)
swapper=""
cleanup() {
  [ -n "$swapper" ] && kill "$swapper" 2>/dev/null || true
  rm -rf "$top"
}
trap cleanup EXIT
export HOME="$top/home" XDG_CONFIG_HOME="$top/home/.config" XDG_DATA_HOME="$top/home/.local/share"
export XDG_CACHE_HOME="$top/home/.cache" XDG_RUNTIME_DIR="$top/runtime"
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR"
key='HKCU\Software\Tolvex\Vorlix 5.0'

store_u1() {
  "$reg" set "$key" "User Button 1 Default Folder" REG_SZ "$1" >/dev/null
  "$reg" set "$key" "User Button 1 Hint" REG_SZ "$1" >/dev/null
}

# A name in random letter case, other than the one given.
other_case() {
  local name=$1 out
  while :; do
    out=""
    for ((i = 0; i < ${#name}; i++)); do
      local c=${name:i:1}
      if ((RANDOM % 2)); then out+=${c^^}; else out+=${c,,}; fi
    done
    [ "$out" != "$name" ] && break
  done
  printf '%s' "$out"
}

files_in() { (find "$1" -maxdepth 1 -type f 2>/dev/null || true) | wc -l; }

folded_held=0 twin_held=0 race_held=0 guard_held=0 cache_held=0
for ((round = 1; round <= rounds; round++)); do
  w="$top/w$round"
  mkdir -p "$w/Parent/Photos"
  touch "$w/Parent/Photos/"{a,b,c}
  # 1. A Linux path in another case, the folder's or its parent's, with dots.
  ok=1
  for given in "$w/Parent/$(other_case Photos)" "$w/$(other_case Parent)/Photos" \
    "$w/./Parent/../Parent/$(other_case Photos)"; do
    set +e
    "$clean" folder "$given" --permanent --quiet 2>/dev/null
    status=$?
    set -e
    [ "$status" -eq 3 ] || ok=0
  done
  [ "$(files_in "$w/Parent/Photos")" -eq 3 ] || ok=0
  folded_held=$((folded_held + ok))

  # 2. A stored folder that vanished beside its twin in another case.
  twin=$(other_case Cache)
  mkdir -p "$w/$twin"
  touch "$w/$twin/"twin{1,2}
  store_u1 "C:$w/Cache"
  set +e
  "$clean" run u1 --permanent --quiet 2>/dev/null
  status=$?
  set -e
  [ "$status" -eq 3 ] && [ "$(files_in "$w/$twin")" -eq 2 ] && twin_held=$((twin_held + 1))

  # 3. The same while another process keeps swapping the folder for its
  #    twin: runs into the trash may take files named "mine", never the
  #    twin's (a twin's file in the trash tells that a run cleaned the twin).
  rm -rf "${w:?}/$twin" "$XDG_DATA_HOME/Trash"
  mkdir -p "$w/Cache" "$w/held/$twin" "$w/held/Cache"
  touch "$w/Cache/mine" "$w/held/$twin/"twin{1,2}
  rmdir "$w/held/Cache"
  # Renames are atomic: the twin stands only while the folder does not.
  python3 -c '
import os, sys
w, twin = sys.argv[1], sys.argv[2]
while True:
    os.rename(w + "/Cache", w + "/held/Cache")
    os.rename(w + "/held/" + twin, w + "/" + twin)
    os.rename(w + "/" + twin, w + "/held/" + twin)
    os.rename(w + "/held/Cache", w + "/Cache")
' "$w" "$twin" &
  swapper=$!
  for _ in $(seq 20); do "$clean" run u1 --trash --quiet >/dev/null 2>&1 || true; done
  kill "$swapper"
  wait "$swapper" 2>/dev/null || true
  swapper=""
  trashed_twins=$( (ls "$XDG_DATA_HOME/Trash/files" 2>/dev/null || true) | grep -c '^twin' || true)
  [ "$trashed_twins" -eq 0 ] && race_held=$((race_held + 1))

  # 4. Home, a user folder and the root, stored, linked or named.
  touch "$HOME/document" "$HOME/Documents/letter"
  ln -sfn "$HOME" "$w/home-link"
  ln -sfn / "$XDG_CONFIG_HOME/vorlix/dosdevices/r:"
  guard_ok=1
  for stored in "C:$HOME" "C:$w/home-link" "C:$HOME/Documents" "R:\\"; do
    store_u1 "$stored"
    # The root is only ever tried as a preview.
    method=--permanent
    if [ "$stored" = "R:\\" ]; then method=--dry-run; fi
    set +e
    "$clean" run u1 "$method" --quiet >/dev/null 2>&1
    [ $? -eq 3 ] || guard_ok=0
    set -e
  done
  set +e
  "$clean" folder / --dry-run --quiet >/dev/null 2>&1
  [ $? -eq 3 ] || guard_ok=0
  set -e
  [ -e "$HOME/document" ] && [ -e "$HOME/Documents/letter" ] || guard_ok=0
  guard_held=$((guard_held + guard_ok))

  # 5. Subfolders of a browser's cache folder swapped for links to another
  #    folder while `browsers` empties them on its two threads: the other
  #    folder's files are never deleted. One process both swaps and refills,
  #    so no file is ever made through a link; a link stands 5 ms at a time
  #    (a run that reads it first deletes it, as a link).
  profiles="$HOME/.mozilla/firefox"
  cache="$XDG_CACHE_HOME/mozilla/firefox/s.default/cache2"
  mkdir -p "$profiles/s.default" "$w/outside"
  printf '[Profile0]\nName=s\nIsRelative=1\nPath=s.default\n' >"$profiles/profiles.ini"
  touch "$w/outside/"keep{1..5}
  python3 -c '
import os, random, sys, time
cache, outside, ready = sys.argv[1:4]
def fill(sub):
    os.makedirs("%s/entries/%d" % (cache, sub), exist_ok=True)
    for i in range(25):
        open("%s/entries/%d/f%d" % (cache, sub, i), "w").close()
for sub in range(40):
    fill(sub)
open(ready, "w").close()
while True:
    sub = random.randrange(40)
    fill(random.randrange(40))
    fill(sub)
    folder = "%s/entries/%d" % (cache, sub)
    os.rename(folder, folder + ".held")
    os.symlink(outside, folder)
    time.sleep(0.005)
    try:
        os.unlink(folder)
    except FileNotFoundError:
        pass
    os.rename(folder + ".held", folder)
    time.sleep(0.001)
' "$cache" "$w/outside" "$w/ready" &
  swapper=$!
  while [ ! -e "$w/ready" ]; do sleep 0.01; done
  for _ in $(seq 50); do "$clean" browsers --permanent --quiet >/dev/null 2>&1 || true; done
  kill "$swapper"
  wait "$swapper" 2>/dev/null || true
  swapper=""
  [ "$(files_in "$w/outside")" -eq 5 ] && cache_held=$((cache_held + 1))
  rm -rf "$profiles" "$XDG_CACHE_HOME/mozilla"
  rm -rf "$w"
done

echo "a Linux path in another case: nothing deleted in $folded_held of $rounds rounds"
echo "a vanished folder beside its twin: the twin kept in $twin_held of $rounds rounds"
echo "the folder swapped for its twin during runs: the twin kept in $race_held of $rounds rounds"
echo "home, a user folder and the root: never cleaned in $guard_held of $rounds rounds"
echo "cache subfolders swapped for links during browsers runs: the other folder kept in $cache_held of $rounds rounds"
[ $((folded_held + twin_held + race_held + guard_held + cache_held)) -eq $((5 * rounds)) ]
