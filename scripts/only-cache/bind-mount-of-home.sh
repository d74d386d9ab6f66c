# SPDX-License-Identifier: MIT
# CASE: a bind mount of the home folder (and of a user folder) cleaned by folder, as slot U1, as a cache folder and inside one
case_bind_mount_of_home() {
  # Bind mounts need root and a mount namespace of our own; elsewhere nothing
  # can be tried, and nothing is lost.
  if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo 0
    return
  fi
  touch "$HOME/document" "$HOME/Documents/letter"
  mkdir -p "$w/b" "$w/d" "$XDG_CACHE_HOME/mozilla/firefox/p/cache2/entries/sub" "$HOME/.mozilla/firefox/p"
  touch "$XDG_CACHE_HOME/mozilla/firefox/p/cache2/entries/e" "$HOME/.mozilla/firefox/p/prefs.js"
  mkdir -p "$HOME/.mozilla/firefox/p/startupCache"
  local before after
  before=$(find "$HOME" -path "$HOME/.cache" -prune -o -path "$HOME/.config" -prune -o -type f -print | wc -l)
  unshare -m sh -c '
    mount --make-rprivate / 2>/dev/null
    mount --bind "$HOME" "$1/b" && mount --bind "$HOME/Documents" "$1/d" &&
      mount --bind "$HOME/Documents" "$HOME/.mozilla/firefox/p/startupCache" &&
      mount --bind "$HOME/Documents" "$XDG_CACHE_HOME/mozilla/firefox/p/cache2/entries/sub" || exit 0
    "$clean" folder "$1/b" --permanent --quiet
    "$clean" folder "$1/d" --permanent --quiet
    "$reg" set "HKCU\Software\Tolvex\Vorlix 5.0" "User Button 1 Default Folder" REG_SZ "C:$1/b"
    "$reg" set "HKCU\Software\Tolvex\Vorlix 5.0" "User Button 1 Hint" REG_SZ "C:$1/b"
    "$clean" run u1 --permanent --quiet
    "$clean" browsers --permanent --quiet
    exit 0
  ' sh "$w" >/dev/null 2>&1 || true
  after=$(find "$HOME" -path "$HOME/.cache" -prune -o -path "$HOME/.config" -prune -o -type f -print | wc -l)
  echo $((before - after))
}
