#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The operator test: the real kvorscope on an X server of its own (Xvfb), with a D-Bus session and
# the accessibility bus, against the simulated sensor, driven only through AT-SPI by
# operator_test.py. Usage: run_operator_test.sh BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  local status=$?
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

for tool in Xvfb dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "operator test: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

# An X server on a free display number, told back through a pipe (no fixed sleeps, no guessing).
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 60 display <"$work/display" || {
  echo "operator test: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"

# A session bus of our own; the accessibility bus is started on it by at-spi-bus-launcher.
export XDG_RUNTIME_DIR="$work/run"
export XDG_DATA_HOME="$work/data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --nopidfile --print-address=4 --print-pid=5 \
  4>"$work/bus.address" 5>"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus.address")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)

export NO_AT_BRIDGE=0
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
export QT_QPA_PLATFORM=xcb
export KVOR_COM_PORTS=simulated
# Paced like a 19200 baud line, as a real sensor answers.
export KVOR_SIM_ARGS=
export HOME="$work"
unset WAYLAND_DISPLAY

# One start driven to its window's close; --lang de: the German start, read in German.
drive() {
  "$bin/kvorscope" "$@" >"$work/scope.log" 2>&1 &
  scope=$!
  pids+=("$scope")
  if ! /usr/bin/python3 "$here/operator_test.py" "$@"; then
    echo "---- kvorscope output"; cat "$work/scope.log"
    echo "---- at-spi bus launcher"; cat "$work/atspi.log"
    exit 1
  fi
  # The test closed the main window through AT-SPI: the scope ends by itself, with 0.
  timeout 60 tail --pid="$scope" -f /dev/null || {
    echo "operator test: the scope did not end after its window closed"; exit 1; }
  status=0
  wait "$scope" || status=$?
  [ "$status" -eq 0 ] || { echo "operator test: the scope ended with $status"; cat "$work/scope.log"; exit 1; }
}
drive
drive --lang de
echo "operator test: passed"
