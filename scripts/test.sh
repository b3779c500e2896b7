#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
#   scripts/test.sh              the test suite
#   scripts/test.sh --sanitize   the same under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
build="$here/build-tests"
opts=(-DCMAKE_BUILD_TYPE=Debug -DKVOR_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-asan"
  opts+=(-DKVOR_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions="$here/tests/lsan.supp"
fi
"$here/scripts/build.sh" "$build" "${opts[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
