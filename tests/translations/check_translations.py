#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every text the scope shows has a finished German translation that takes the same values:
the texts are collected afresh from the panel file and the sources, merged into a copy of
kvorscope_de.ts by lupdate, and each one checked. usage: check_translations.py ROOT LUPDATE"""
import pathlib
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PRINTF = re.compile(r"%[-+ #0]*(\*|\d+)?(?:\.(\*|\d+))?(?:hh|h|ll|l|z)?([diouxXeEfgGcsp%])")


def values(text):
    """printf conversions in order (a * width or precision takes a value too), Qt's %1..%9,
    a line end at the end, and the keyboard marks (a single &)."""
    taken = []
    for width, precision, kind in PRINTF.findall(text):
        taken += ["*"] * ((width == "*") + (precision == "*")) + [kind]
    return (taken, sorted(set(re.findall(r"%[1-9]", text))), text.endswith("\n"),
            text.replace("&&", "").count("&"))


def main():
    root, lupdate = pathlib.Path(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        texts, ts = pathlib.Path(work, "texts.cpp"), pathlib.Path(work, "kvorscope_de.ts")
        subprocess.run([sys.executable, str(root / "scripts/collect_texts.py"), str(root),
                        str(root / "assets/K-VOR-PXScope242.uir"), str(texts)], check=True)
        ts.write_bytes((root / "translations/kvorscope_de.ts").read_bytes())
        subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete", str(texts),
                        "-ts", str(ts)], check=True)
        messages = list(ET.parse(ts).iter("message"))
    faults = []
    for message in messages:
        source, translation = message.findtext("source") or "", message.find("translation")
        if translation is None or translation.get("type") == "unfinished" or not translation.text:
            faults.append("not translated: %r" % source)
        elif values(source) != values(translation.text):
            faults.append("takes other values: %r -> %r" % (source, translation.text))
    print("\n".join(faults + ["%d texts, %d unfinished or unlike their source"
                              % (len(messages), len(faults))]))
    return 1 if faults or not messages else 0


if __name__ == "__main__":
    sys.exit(main())
