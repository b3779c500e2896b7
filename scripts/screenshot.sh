#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the scope against the simulated sensor under a virtual X server and grabs the screen.
#   scripts/screenshot.sh BUILD_DIR OUT.png [SECONDS] [WIDTHxHEIGHT] [-- extra sim options]
set -euo pipefail
build=${1:?build dir}; out=${2:?png}; wait_s=${3:-6}; geometry=${4:-1280x800}
shift $(( $# < 4 ? $# : 4 )); [ "${1:-}" = "--" ] && shift
bin="$build/bin"
fifo=$(mktemp -u); mkfifo "$fifo"
"$bin/kvor-sensor-sim" "$@" >"$fifo" &
sim=$!
read -r device <"$fifo"; rm -f "$fifo"
trap 'kill $sim 2>/dev/null || true' EXIT
KVOR_COM_PORTS="$device" xvfb-run -a -s "-screen 0 ${geometry}x24" bash -c "
  '$bin/kvorscope' & app=\$!
  sleep $wait_s
  import -window root '$out'
  kill \$app" || true
echo "$out"
