#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the scope needs.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format dpkg-dev file
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6
  libqcustomplot-dev libqcustomplot2.1-qt6
  libgtest-dev libgmock-dev libbenchmark-dev
  libgl-dev xvfb xauth x11-apps imagemagick
  clang libclang-rt-14-dev
  fonts-dejavu-core
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
