#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the scope.
# Without options the scope's port 1 is the simulated sensor, named so: the port selector says
# "Simulated sensor", and so do the status line and the pop-up once it is identified. Arguments
# go to kvor-sensor-sim (e.g. --model 104). With --real-ports the scope uses the machine's
# serial ports (the port selector always offers the "Simulated sensor" too).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVOR_TESTS=OFF
bin="$here/build/bin"

if [ "${1:-}" = "--real-ports" ]; then
  exec "$bin/kvorscope"
fi

# The runtime splits KVOR_SIM_ARGS like a command line: each argument in double quotes, a quote
# inside one written three times.
args=""
for a in "$@"; do args+=" \"${a//\"/\"\"\"}\""; done
KVOR_COM_PORTS=simulated KVOR_SIM_ARGS="$args" exec "$bin/kvorscope"
