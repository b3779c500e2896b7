#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang and runs each for a bounded time; fails on the first crash,
# sanitizer report or broken check, and leaves the crashing input in the build folder.
#   scripts/fuzz.sh                 every target, FUZZ_SECONDS (default 60) seconds each
#   scripts/fuzz.sh answers         one target: para_file, answers, identify or history_file
# Environment: FUZZ_SECONDS, FUZZ_BUILD (the build folder, default build-fuzz in the checkout).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-"$here/build-fuzz"}
seconds=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(para_file answers identify history_file)

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DKVOR_FUZZ=ON -DKVOR_TESTS=OFF -DKVOR_BENCH=OFF -DKVOR_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/kvor_fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$here/tests/lsan.supp":print_suppressions=0

# The largest input worth trying: a parameter file is some hundred bytes; answers are a few
# frames and a video block; a firmware answer may overrun the 1024-byte read buffer; a few
# history records, one longer than the line buffer.
declare -A max_len=([para_file]=512 [answers]=1024 [identify]=2048 [history_file]=2048)

for t in "${targets[@]}"; do
  bin="$build/bin/kvor_fuzz_$t"
  [ -x "$bin" ] || { echo "no fuzz target $t" >&2; exit 2; }
  # New finds go to a scratch corpus; the checked-in seeds stay as they are.
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$work" "$artifacts"
  echo "== fuzzing $t for ${seconds}s"
  (cd "$build/bin" && "$bin" -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "$here/fuzz/corpus/$t" 2>"$build/fuzz-$t.log") || {
    tail -n 60 "$build/fuzz-$t.log" >&2
    echo "fuzz target $t failed; input in $artifacts" >&2
    exit 1
  }
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-$t.log" || true
done
