# SPDX-License-Identifier: MIT
# CASE: a file taken back out of the trash (also by a partial restore) and trashed again by another program is kept by purge
case_purge_keeps_retrashed() {
  local trash="$XDG_DATA_HOME/Trash" app="$XDG_CACHE_HOME/app" app2="$XDG_CACHE_HOME/app2" name lost=0
  mkdir -p "$app" "$app2"
  for name in "$app/f1" "$app/f2" "$app2/g1" "$app2/g2"; do echo cache >"$name"; done
  "$clean" folder "$app" --trash --quiet >/dev/null 2>&1 || true
  "$clean" folder "$app2" --trash --quiet >/dev/null 2>&1 || true
  # f1 is taken back out of the trash by hand; g1 by a restore that puts back
  # only part of its run (g2 has a new file in its place).
  mv "$trash/files/f1" "$app/f1" && rm -f "$trash/info/f1.trashinfo"
  echo "made since" >"$app2/g2"
  "$clean" restore --last >/dev/null 2>&1 || true
  # Both become the user's own files, later trashed again by another program.
  for name in "$app/f1" "$app2/g1"; do
    echo "the user's" >"$name"
    trash_as_trash_put "$name"
  done
  "$clean" purge --older-than 0 >/dev/null 2>&1 || true
  for name in f1 g1; do
    [ "$(cat "$trash/files/$name" 2>/dev/null)" = "the user's" ] || lost=$((lost + 1))
  done
  echo "$lost"
}

# Moves a file into the home trash with trash-put, or when it is not
# installed the way it does: a new .trashinfo record, then the rename into
# files/.
trash_as_trash_put() {
  local file=$1 trash="$XDG_DATA_HOME/Trash"
  if command -v trash-put >/dev/null 2>&1; then
    trash-put "$file" && return
  fi
  printf '[Trash Info]\nPath=%s\nDeletionDate=%s\n' "$file" "$(date +%Y-%m-%dT%H:%M:%S)" \
    >"$trash/info/$(basename "$file").trashinfo"
  mv "$file" "$trash/files/$(basename "$file")"
}
