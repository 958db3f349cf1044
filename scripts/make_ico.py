#!/usr/bin/env python3
"""Writes a Windows icon file from PNG images (each kept as PNG inside, as Windows Vista
and later read them): make_ico.py OUT.ico IMAGE.png ..."""
import struct
import sys


def size_of(png):
    width, height = struct.unpack(">II", png[16:24])
    return width, height


def main(out, images):
    pngs = [open(path, "rb").read() for path in images]
    header = struct.pack("<HHH", 0, 1, len(pngs))
    entries, offset = b"", 6 + 16 * len(pngs)
    for png in pngs:
        width, height = size_of(png)
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(pngs))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
