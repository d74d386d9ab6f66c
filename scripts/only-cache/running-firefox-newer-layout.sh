# SPDX-License-Identifier: MIT
# CASE: a running Firefox whose profile lives in ~/.config/mozilla/firefox, with ~/.mozilla/firefox beside it
case_running_firefox_newer_layout() {
  local profiles="$XDG_CONFIG_HOME/mozilla/firefox" cache="$XDG_CACHE_HOME/mozilla/firefox/r.default"
  mkdir -p "$profiles/r.default" "$HOME/.mozilla/firefox" "$cache/cache2/entries" "$cache/startupCache"
  printf '[Profile0]\nName=r\nIsRelative=1\nPath=r.default\n' >"$profiles/profiles.ini"
  touch "$profiles/r.default/prefs.js" "$cache/cache2/entries/"{a,b,c} "$cache/startupCache/s"
  # The lock names a live process: this shell.
  ln -s "127.0.0.1:+$$" "$profiles/r.default/lock"
  "$clean" browsers --permanent --quiet >/dev/null 2>&1 || true
  echo $((4 - $(find "$cache" -type f | wc -l)))
}
