#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, testing and running Vorlix need, when missing;
# arguments name more packages that a caller needs besides.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libsqlite3-dev libglib2.0-dev libgtest-dev
  trash-cli shared-mime-info fonts-liberation2 adwaita-icon-theme python3
  xvfb openbox x11-utils xdotool
  systemd  # systemd-analyze checks the schedule's units
  git  # scripts/mutate.py and its test
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
