# SPDX-License-Identifier: MIT
# CASE: links in a browser's folders (cache2/entries, startupCache, Code Cache, thumbnails, a profile, ~/.cache/chromium) lead to the user's folders
case_links_in_browser_folders() {
  local docs="$HOME/Documents" projects="$HOME/projects" before after
  mkdir -p "$docs/sub" "$projects"
  touch "$docs/letter" "$docs/.hidden" "$docs/sub/photo" "$projects/main.c"
  local ff="$HOME/.mozilla/firefox" ffc="$XDG_CACHE_HOME/mozilla/firefox"
  mkdir -p "$ff/p.default/cache2" "$ffc/p.default/cache2" "$ff/q.default" "$XDG_CACHE_HOME/thumbnails"
  printf '[Profile0]\nName=p\nIsRelative=1\nPath=p.default\n\n[General]\nVersion=2\n' >"$ff/profiles.ini"
  ln -s "$docs" "$ffc/p.default/cache2/entries"
  ln -s "$docs" "$ff/p.default/startupCache"
  ln -s "$projects" "$ff/link.default"
  mkdir -p "$projects/cache2"
  ln -s "$docs" "$projects/cache2/entries"
  ln -s "$docs" "$XDG_CACHE_HOME/thumbnails/normal"
  local chromium="$XDG_CONFIG_HOME/chromium/Default"
  mkdir -p "$chromium/Cache"
  ln -s "$docs" "$chromium/Code Cache"
  ln -s "$projects" "$chromium/Cache/Cache_Data"
  ln -s "$HOME" "$XDG_CACHE_HOME/chromium"
  before=$(find "$HOME" -path "$HOME/.cache" -prune -o -path "$HOME/.mozilla" -prune -o -path "$HOME/.config" -prune \
    -o -path "$HOME/.local" -prune -o -type f -print | wc -l)
  "$clean" browsers --permanent --quiet >/dev/null 2>&1 || true
  "$clean" browsers --trash --quiet >/dev/null 2>&1 || true
  after=$(find "$HOME" -path "$HOME/.cache" -prune -o -path "$HOME/.mozilla" -prune -o -path "$HOME/.config" -prune \
    -o -path "$HOME/.local" -prune -o -type f -print | wc -l)
  echo $((before - after))
}
