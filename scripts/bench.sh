#!/usr/bin/env bash
# Builds the scope optimised and prints one table of its figures against the simulated sensor.
#   scripts/bench.sh [SECONDS per loop figure, default 5]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DKVOR_TESTS=OFF \
  -DKVOR_BENCH=ON >/dev/null
bin="$here/build-release/bin"
export QT_QPA_PLATFORM=offscreen
{
  "$bin/bench_live_loops" "${1:-5}"
  "$bin/bench_draw_cost" | sed 1q
  "$bin/bench_startup"
} 2>/dev/null
