#!/usr/bin/env python3
"""Writes the tiny pictures the toolkit's tests decode and draw.

half.png    2 x 1 RGBA: an opaque red pixel, then a fully transparent one.
bitmap.ico  the same two pixels as a 32-bit icon bitmap with its AND mask.
png.ico     an icon whose one image is half.png itself.
"""
import struct
import sys
import zlib
from pathlib import Path

PIXELS = [(255, 0, 0, 255), (0, 0, 0, 0)]


def png(pixels, width, height):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(
        b"\0" + b"".join(bytes(p) for p in pixels[y * width:(y + 1) * width])
        for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def icon_bitmap(pixels, width, height):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for (r, g, b, a) in
                      (p for y in reversed(range(height)) for p in pixels[y * width:(y + 1) * width]))
    mask_stride = (width + 31) // 32 * 4
    return header + colour + b"\0" * mask_stride * height


def ico(image, width, height):
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    half = png(PIXELS, 2, 1)
    (out / "half.png").write_bytes(half)
    (out / "bitmap.ico").write_bytes(ico(icon_bitmap(PIXELS, 2, 1), 2, 1))
    (out / "png.ico").write_bytes(ico(half, 2, 1))


if __name__ == "__main__":
    main()
