#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running and testing the scope needs.
# Safe to run again: packages already present are left alone. The operator test needs the
# accessibility bus (at-spi2-core), a D-Bus session (dbus) and an AT-SPI client (python3-pyatspi).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format dpkg-dev file
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6
  # the scope in German: lupdate and lrelease, and the toolkit's own German dialogs
  qt6-l10n-tools qt6-translations-l10n
  libqcustomplot-dev libqcustomplot2.1-qt6
  libgtest-dev libgmock-dev libbenchmark-dev
  libgl-dev xvfb xauth x11-apps imagemagick
  clang libclang-rt-14-dev
  fonts-dejavu-core
  # the Debian package: icons, manual page of the simulated sensor, and its checks
  qt6-svg-dev help2man man-db lintian appstream desktop-file-utils
  # the operator test: a D-Bus session, the accessibility bus and its Python client
  dbus at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  # the record's read-back test reads the CSV with Python's own reader
  python3
  # the gauge study's report test reads the PDF's pages and text
  poppler-utils
  # publishing to a plant's broker (libmosquitto), and the real broker the tests run against with
  # TLS certificates made per run
  libmosquitto-dev mosquitto mosquitto-clients openssl
  # scripts/bench.sh counts the instructions of a paced answer with callgrind
  valgrind
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
