#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the scope and checks it (lintian, AppStream, desktop entry,
# manual pages): build-release/kvorscope_<version>_<arch>.deb with stripped, hardened programs,
# and build-release/kvorscope-dbgsym_<version>_<arch>.ddeb with their debug symbols.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DKVOR_TESTS=OFF \
  -DKVOR_BENCH=OFF -DKVOR_HARDENING=ON
rm -f "$here"/build-release/*.deb "$here"/build-release/*.ddeb
(cd "$here/build-release" && cpack >/dev/null)
"$here/packaging/check.sh" "$here"/build-release/kvorscope_*.deb
ls "$here"/build-release/*.deb "$here"/build-release/*.ddeb
