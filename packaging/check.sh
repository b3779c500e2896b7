#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built package as Debian and the desktop would: lintian (no error, no warning, and
# no hardening tag even at the pedantic level), the AppStream metadata, the desktop entry and
# the manual pages, English and German, as man renders them.   packaging/check.sh PACKAGE.deb
set -euo pipefail
deb=${1:?usage: packaging/check.sh PACKAGE.deb}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
fail() { echo "check: $*" >&2; failed=1; }

echo "-- lintian"
report=$(lintian --display-info --pedantic --display-experimental --fail-on none "$deb" 2>&1 |
  grep -v "running with root privileges")
[ -n "$report" ] && echo "$report"
grep -E '^[EW]: ' <<<"$report" >/dev/null && fail "lintian reports errors or warnings"
grep -E ' hardening-' <<<"$report" >/dev/null && fail "lintian finds unhardened binaries"

echo "-- appstreamcli validate"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata"

echo "-- desktop-file-validate"
# Its exit status tells only errors; a warning fails here too (hints do not).
desktop=$(desktop-file-validate "$tree"/usr/share/applications/*.desktop 2>&1) || fail "desktop entry"
[ -n "$desktop" ] && echo "$desktop"
grep -E ': (error|warning): ' <<<"$desktop" >/dev/null && fail "desktop entry has warnings"

echo "-- manual pages"
# The English pages and the German ones beside them.
for page in "$tree"/usr/share/man/man1/*.1.gz "$tree"/usr/share/man/de/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null | grep -Eq '^(OPTIONS|OPTIONEN)' \
    || fail "$(basename "$page") has no OPTIONS section"
done

[ "$failed" -eq 0 ] && echo "-- package checks passed: $(basename "$deb")"
exit "$failed"
