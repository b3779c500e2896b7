#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the scope optimised, and beside it the baseline commit with today's benchmarks, and
# prints one table of both sets of figures against the simulated sensor.
#   scripts/bench.sh [SECONDS per loop figure, default 5]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-5}
# The scope before its line counted a frame's bytes, its waits slept 8 ms and its plots were
# stacked opaque pictures.
baseline=4c5b2fa
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DKVOR_TESTS=OFF \
  -DKVOR_BENCH=ON >/dev/null

src="$here/build-release/baseline-src"
old="$here/build-release/baseline"
if [ ! -d "$src" ] && git -C "$here" cat-file -e "$baseline^{commit}" 2>/dev/null; then
  git -C "$here" worktree add --detach "$src" "$baseline" >/dev/null 2>&1
fi
if [ -d "$src" ]; then
  # The benchmarks that use only calls the baseline has measure it the same way (the baseline's
  # waits cannot be told their time-out: it keeps its own wait benchmark).
  cp "$here"/bench/bench_{live_loops,draw_cost,startup,paced_answer}.cpp "$src/bench/"
  # Headers that have moved since: the baseline finds them where they were then.
  shim() { [ -e "$src/$1" ] || { mkdir -p "$(dirname "$src/$1")"; echo "#include \"$2\"" >"$src/$1"; }; }
  shim wire/protocol.h link/protocol.h
  shim live/measurement.h live/run_loop.h
  shim runtime/runtime.h ui/runtime.h
  shim runtime/readback.h ui/readback.h
  # The baseline's runtime had its windows built in.
  [ -e "$src/ui/windows.h" ] || echo 'inline void InstallPanelWindows() {}' >"$src/ui/windows.h"
  if ! "$src/scripts/build.sh" "$old" -DCMAKE_BUILD_TYPE=Release -DKVOR_TESTS=OFF \
    -DKVOR_BENCH=ON >"$old.log" 2>&1; then
    echo "the baseline $baseline did not build (see $old.log): its column stays empty" >&2
    rm -rf "$old/bin"
  fi
fi

export QT_QPA_PLATFORM=offscreen
# The simulated sensor's parameter history stays out of the user's own.
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
# BIN_DIR SECONDS: "answers instructions" of the measurement loop run that long under callgrind.
counted() {
  local log answers
  log=$(mktemp)
  answers=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$log" \
    "$1/bench_paced_answer" "$2" 2>/dev/null | awk -F'|' '/^answers/ { print $2 }')
  echo "$answers $(awk '/Collected/ { print $NF }' "$log")"
  rm -f "$log"
}
# Instructions per paced answer, start-up and shutdown cancelled: two runs of different length.
instructions() { # BIN_DIR
  [ -x "$1/bench_paced_answer" ] || return 0
  local a1 i1 a2 i2
  read -r a1 i1 < <(counted "$1" 3)
  read -r a2 i2 < <(counted "$1" 9)
  awk -v a1="$a1" -v i1="$i1" -v a2="$a2" -v i2="$i2" 'BEGIN { if (a2 > a1)
    printf "instructions per paced answer, event passes and repaint included (callgrind)|%.2f M|\n",
      (i2 - i1) / (a2 - a1) / 1e6 }'
}
figures() { # BIN_DIR: rows "figure|measured|line limit"
  local bin=$1
  "$bin/bench_live_loops" "$seconds"
  instructions "$bin"
  "$bin/bench_draw_cost" 3000
  "$bin/bench_wait_cpu" || true
  if [ -x "$bin/bench_line_monitor" ]; then "$bin/bench_line_monitor"; fi
  if [ -x "$bin/bench_adapter_latency" ]; then "$bin/bench_adapter_latency" "$seconds"; fi
  if [ -x "$bin/bench_history_record" ]; then "$bin/bench_history_record"; fi
  if [ -x "$bin/bench_line_turnaround" ]; then "$bin/bench_line_turnaround" || true; fi
  "$bin/bench_startup"
  if [ -x "$bin/bench_kvorctl" ]; then "$bin/bench_kvorctl" "$seconds"; fi
  # Publishing needs Debian's mosquitto (scripts/install-deps.sh installs it).
  if [ -x "$bin/bench_publish" ]; then "$bin/bench_publish" "$((seconds * 2))" || true; fi
}
new_rows=$(figures "$here/build-release/bin" 2>/dev/null)
old_rows=""
[ -d "$old/bin" ] && old_rows=$(figures "$old/bin" 2>/dev/null)

echo "| figure | $baseline | now | line limit |"
echo "|---|---|---|---|"
awk -F'|' -v old="$old_rows" '
  BEGIN { n = split(old, lines, "\n"); for (i = 1; i <= n; i++) { split(lines[i], f, "|"); before[f[1]] = f[2] } }
  NF >= 2 { b = ($1 in before) ? before[$1] : "–"; printf "| %s | %s | %s | %s |\n", $1, b, $2, $3 }
' <<<"$new_rows"
