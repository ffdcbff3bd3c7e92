#!/usr/bin/env bash
# Installs the Debian packages that building and testing orvexp need, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev libgl-dev qt6-translations-l10n libxcb1-dev xvfb
  fonts-ipafont-gothic xdg-utils zlib1g-dev dpkg-dev libical-dev gettext
  # the CalDAV sync test: Radicale and Xandikos servers of its own, vdirsyncer,
  # a python3 driver; khal reading the folder of events
  python3 radicale xandikos vdirsyncer khal
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
