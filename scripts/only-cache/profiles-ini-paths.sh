# SPDX-License-Identifier: MIT
# CASE: profiles.ini names the home folder, a user folder or ../../Documents as a profile
case_profiles_ini_paths() {
  local ff="$HOME/.mozilla/firefox" before after folder
  mkdir -p "$ff" "$HOME/projects"
  for folder in "$HOME" "$HOME/Documents" "$HOME/projects"; do
    mkdir -p "$folder/cache2/entries" "$folder/startupCache" "$folder/thumbnails" "$folder/jumpListCache"
    touch "$folder/cache2/entries/e" "$folder/startupCache/s" "$folder/thumbnails/t" "$folder/jumpListCache/j"
  done
  printf '[Profile0]\nName=home\nIsRelative=0\nPath=%s\n\n[Profile1]\nName=docs\nIsRelative=0\nPath=%s\n\n[Profile2]\nName=up\nIsRelative=1\nPath=../../Documents\n\n[Profile3]\nName=projects\nIsRelative=0\nPath=%s\n' \
    "$HOME" "$HOME/Documents" "$HOME/projects" >"$ff/profiles.ini"
  before=$(find "$HOME" -type f | wc -l)
  "$clean" browsers --permanent --quiet >/dev/null 2>&1 || true
  after=$(find "$HOME" -type f | wc -l)
  echo $((before - after))
}
