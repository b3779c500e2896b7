#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds the scope.   scripts/build.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
[ $# -gt 0 ] && shift
cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
