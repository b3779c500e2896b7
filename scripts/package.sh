#!/usr/bin/env bash
# Builds the Debian package of the scope: build-release/kvorscope_<version>_<arch>.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-release" -DCMAKE_BUILD_TYPE=Release -DKVOR_TESTS=OFF \
  -DKVOR_BENCH=OFF
(cd "$here/build-release" && cpack)
ls "$here"/build-release/*.deb
