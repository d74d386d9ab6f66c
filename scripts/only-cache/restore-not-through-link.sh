# SPDX-License-Identifier: MIT
# CASE: restore --last after the cleaned folder, or a folder above it, was replaced by a link into the user's folders
case_restore_not_through_link() {
  local app="$XDG_CACHE_HOME/app" parent="$XDG_CACHE_HOME/p" docs="$HOME/Documents" before after lost
  mkdir -p "$app" "$parent/app" "$docs/app"
  echo letter >"$docs/letter"
  echo note >"$docs/app/note"
  echo cache >"$app/f1"
  echo cache >"$parent/app/g1"
  before=$(find "$docs" | sort)
  # The cleaned folder replaced by a link to the user's folder.
  "$clean" folder "$app" --trash --quiet >/dev/null 2>&1 || true
  mv "$app" "$app.was" && ln -s "$docs" "$app"
  "$clean" restore --last >/dev/null 2>&1 || true
  # A folder above the cleaned one replaced by a link to the user's folder,
  # which holds a folder of the same name.
  "$clean" folder "$parent/app" --trash --quiet >/dev/null 2>&1 || true
  mv "$parent" "$parent.was" && ln -s "$docs" "$parent"
  "$clean" restore --last >/dev/null 2>&1 || true
  after=$(find "$docs" | sort)
  # Every entry put into the user's folders or gone from them counts, and
  # every file of theirs changed.
  lost=$(comm -3 <(echo "$before") <(echo "$after") | grep -c . || true)
  [ "$(cat "$docs/letter" 2>/dev/null)" = letter ] || lost=$((lost + 1))
  [ "$(cat "$docs/app/note" 2>/dev/null)" = note ] || lost=$((lost + 1))
  echo "$lost"
}
