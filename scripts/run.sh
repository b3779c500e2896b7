#!/usr/bin/env bash
# Installs what is missing, builds, and starts the scope.
# Without options the scope talks to the simulated sensor on port 1; with --real-ports it uses
# the machine's serial ports (the port selector always offers the "Simulated sensor" too).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVOR_TESTS=OFF
bin="$here/build/bin"

if [ "${1:-}" = "--real-ports" ]; then
  exec "$bin/kvorscope"
fi

fifo=$(mktemp -u)
mkfifo "$fifo"
"$bin/kvor-sensor-sim" "$@" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r device <"$fifo"
echo "Simulated sensor on $device"
KVOR_COM_PORTS="$device" "$bin/kvorscope"
