#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/.

The seeds are what a sound sensor and the scope's own writer produce: a parameter file as
SendParaToFile writes it, hardware answers of a few sensor types, measurement answers, a video
block and firmware texts. Run it again after changing it; the fuzzers grow the corpus from here.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def words(*values):
    return b"".join(struct.pack(">H", v & 0xFFFF) for v in values)


def frame(command, data, sync=0x00AA):
    data = list(data) + [0] * (16 - len(data))
    return words(sync, command, *data)


# type, pixels, optics, board, virtual, subpixel, first, last, firmware, variant, video scale
HARDWARE = {
    "2-250": (2, 1024, 250, 100, 4096, 2048, 1, 1024, 240, 250, 1024),
    "1-80-adc256": (1, 1024, 80, 100, 2048, 2048, 1, 1024, 240, 80, 256),
    "102-230": (102, 768, 488, 7, 1536, 1536, 1, 768, 230, 102, 1024),
    "104": (104, 1536, 975, 7, 1536, 1536, 1, 1536, 240, 104, 1024),
    "3": (3, 512, 128, 100, 1024, 1024, 1, 512, 230, 3, 1024),
    "board0": (2, 1024, 250, 0, 4096, 2048, 1, 1024, 210, 250, 1024),
}

# The panel's start values: power, serial mode, threshold, analog mode, polarity, edge mode,
# edge limits, setpoint, tolerance, operating mode, hardware mode, factor, offset, average, 15.
PARAMETERS = (500, 0, 512, 0, 1, 1, 1, 1024, 512, 100, 0, 1, 1024, 30000, 0, 0)


def measurement(ledge, redge, mode_value, um, tval, tol, edges, start, end, amax, amin):
    return frame(8, (ledge, redge, mode_value, um & 0xFFFF, um >> 16, tval, tol, edges, start,
                     end, 0, amax, amin, 0), sync=0x0055)


def video_block():
    samples = [900 if (i < 90 or i > 160) else 120 for i in range(256)]
    return words(*samples)


def text_block(text, word_coded=False):
    raw = text.encode("latin-1")
    if word_coded:
        raw = raw[:36].ljust(36, b"\0")
        return b"".join(bytes((0, c)) for c in raw)
    return raw[:72].ljust(72, b" ")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    writer = "".join("%5d\n" % v for v in PARAMETERS).encode()
    write("para_file", "writer_start_values.dat", writer)
    write("para_file", "writer_erased_factor.dat",
          "".join("%5d\n" % v for v in PARAMETERS[:12] + (65535,) + PARAMETERS[13:]).encode())
    write("para_file", "one_line.dat", " ".join(str(v) for v in PARAMETERS).encode() + b"\n")
    write("para_file", "crlf_above_16_bits.dat",
          "".join("%d\r\n" % (v + 65536) for v in PARAMETERS).encode())
    write("para_file", "fifteen_numbers.dat", "".join("%5d\n" % v for v in PARAMETERS[:15]).encode())

    params = words(*PARAMETERS)
    centre = words(*(PARAMETERS[:5] + (2,) + PARAMETERS[6:]))
    answers = [
        measurement(300, 700, 700, 14000, 512, 20, 2, 900, 900, 720, 680),
        measurement(0, 0, 0, 0, 512, 20, 0, 950, 950, 0, 2047),
        measurement(420, 0, 420, 8400, 512, 20, 1, 100, 900, 430, 410),
    ]
    for name, hw in (("2-250", HARDWARE["2-250"]), ("104", HARDWARE["104"])):
        head = frame(10, hw) + params + bytes((0,))
        write("answers", "measure_%s.bin" % name, head + b"".join(answers))
        write("answers", "measure_video_%s.bin" % name, head + answers[0] + video_block())
    write("answers", "centre_calibrating.bin",
          frame(10, HARDWARE["3"]) + centre + bytes((3,)) + b"".join(answers))

    for name, hw in HARDWARE.items():
        word_coded = hw[3] == 0
        write("identify", "hardware_%s.bin" % name,
              frame(10, hw) + text_block("K-VOR-PX-%s firmware V%d.%02d" % (name, hw[8] // 100,
                                                                             hw[8] % 100),
                                         word_coded))
    write("identify", "sister_series.bin",
          frame(10, HARDWARE["2-250"]) + text_block("K-VOR-QN-PX firmware V1.10"))
    write("identify", "short_text.bin", frame(10, HARDWARE["2-250"]) + b"K-VOR-PX-2")
    write("identify", "wrong_command.bin", frame(7, HARDWARE["104"]) + text_block("K-VOR-RW"))


if __name__ == "__main__":
    main()
