# SPDX-License-Identifier: MIT
# CASE: system folders beyond the first list (/var/lib/dpkg, /var/log, /var/spool, /var/lib, /root, /lost+found) are refused, even as a preview
case_system_folders() {
  local lost=0 folder status
  for folder in /var/lib/dpkg /var/log /var/spool /var/lib /var/mail /var/backups /root /lost+found; do
    [ -d "$folder" ] || continue
    # Only ever a preview: a refusal exits 3 before anything is listed.
    status=0
    "$clean" folder "$folder" --dry-run --quiet >/dev/null 2>&1 || status=$?
    [ "$status" -eq 3 ] || lost=$((lost + 1))
  done
  echo "$lost"
}
