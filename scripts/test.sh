#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with warnings as errors, and runs every test.
#   scripts/test.sh              the test suite
#   scripts/test.sh --sanitize   the same under AddressSanitizer and UndefinedBehaviorSanitizer
# Environment: TEST_BUILD, the build folder (default build-tests, or build-asan with --sanitize,
# in the checkout).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
build="$here/build-tests"
opts=(-DCMAKE_BUILD_TYPE=Debug -DKVOR_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-asan"
  opts+=(-DKVOR_SANITIZE=ON)
  # A report ends the test that caused it, with the stack; leaks are reported at each test
  # program's end, those of the system libraries behind Qt suppressed.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions="$here/tests/lsan.supp":print_suppressions=0
fi
build=${TEST_BUILD:-$build}
"$here/scripts/build.sh" "$build" "${opts[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
