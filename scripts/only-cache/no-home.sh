# SPDX-License-Identifier: MIT
# CASE: with HOME naming a folder that does not exist, a folder outside it is cleaned and the home is never made
case_no_home() {
  local missing="$w/no-such-home" folder="$w/cache" lost=0 before after f
  mkdir -p "$folder/sub"
  for f in 1 2 3 4 5; do echo "$f" >"$folder/f$f"; done
  echo hidden >"$folder/.hidden"
  echo inner >"$folder/sub/inner"
  before=$(find "$HOME" -type f | wc -l)
  (
    # A system account's session: every folder of its own lies in the missing home.
    export HOME="$missing" XDG_CONFIG_HOME="$missing/.config" XDG_DATA_HOME="$missing/.local/share"
    export XDG_CACHE_HOME="$missing/.cache"
    "$clean" folder "$folder" --permanent --quiet
  ) >/dev/null 2>&1 || true
  after=$(find "$HOME" -type f | wc -l)
  # The home made after all, a file of the real home gone, or a hidden file or
  # subfolder of the folder taken: each counts as lost.
  [ ! -e "$missing" ] || lost=$((lost + 1))
  [ "$after" -ge "$before" ] || lost=$((lost + before - after))
  for f in "$folder/.hidden" "$folder/sub/inner"; do
    [ -e "$f" ] || lost=$((lost + 1))
  done
  # The folder not cleaned at all: the case fails.
  for f in 1 2 3 4 5; do
    [ ! -e "$folder/f$f" ] || lost=$((lost + 1000))
  done
  echo "$lost"
}
