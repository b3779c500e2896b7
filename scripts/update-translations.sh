#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings translations/kvorscope_de.ts up to the texts the scope shows now: collects them from the
# panel file and the sources (scripts/collect_texts.py), lets lupdate add the new ones (marked
# unfinished) and drop the ones gone, then lists what still needs a German text.
# Fill those in with Qt Linguist (linguist translations/kvorscope_de.ts) or any editor: each
# <translation type="unfinished"></translation> gets its German text and loses type="unfinished".
# The build turns the .ts into the .qm; the test "translations" passes when nothing is left.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-}
for candidate in /usr/lib/qt6/bin/lupdate /usr/lib/qt6/libexec/lupdate "$(command -v lupdate6 || true)"; do
  [ -z "$lupdate" ] && [ -n "$candidate" ] && [ -x "$candidate" ] && lupdate=$candidate
done
[ -n "$lupdate" ] || { echo "update-translations: Qt 6's lupdate is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/scripts/collect_texts.py" "$here" "$here/assets/K-VOR-PXScope242.uir" "$work/texts.cpp"
"$lupdate" -locations none -no-obsolete "$work/texts.cpp" -ts "$here/translations/kvorscope_de.ts"
python3 "$here/tests/translations/check_translations.py" "$here" "$lupdate" || true
