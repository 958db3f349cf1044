#!/usr/bin/env python3
"""Draws the game's icon from its XPM picture (data/sorato.xpm, 32 x 32) at 32, 64, 128
and 256 pixels, each pixel a square block so that it stays sharp at any size:
  make_icons.py XPM DIR         DIR/hicolor/NxN/apps/org.sorato.sorato.png, for the desktop
  make_icons.py XPM DIR --flat  DIR/icon-N.png, for the page
  make_icons.py XPM ICO         a Windows icon file holding the four (name ending in .ico)
Needs nothing beyond Python's standard library."""
import os
import re
import struct
import sys
import zlib

SIZES = (32, 64, 128, 256)


def read_xpm(path):
    rows = re.findall(r'"([^"]*)"', open(path, encoding="utf-8").read())
    width, height, colours, chars = (int(v) for v in rows[0].split()[:4])
    palette = {}
    for row in rows[1:1 + colours]:
        key, value = row[:chars], row[chars:].split()[-1]
        palette[key] = (0, 0, 0, 0) if value.lower() == "none" else (
            int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16), 255)
    pixels = rows[1 + colours:1 + colours + height]
    return [[palette[line[x * chars:(x + 1) * chars]] for x in range(width)] for line in pixels]


def png(image, size):
    scale = size // len(image)
    raw = b"".join(b"\0" + b"".join(bytes(p) * scale for p in row) for row in image
                   for _ in range(scale))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, offset = b"", 6 + 16 * len(images)
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in images)


def main(xpm, out, flat=False):
    image = read_xpm(xpm)
    images = [(size, png(image, size)) for size in SIZES]
    if out.endswith(".ico"):
        with open(out, "wb") as f:
            f.write(ico(images))
        return
    for size, data in images:
        folder = out if flat else os.path.join(out, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        name = f"icon-{size}.png" if flat else "org.sorato.sorato.png"
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], len(sys.argv) == 4 and sys.argv[3] == "--flat")
