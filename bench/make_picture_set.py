#!/usr/bin/env python3
"""Writes a set of N cards full of pictures, for the peak memory of zepocard check and export.

Usage: make_picture_set.py N FOLDER [SIDE]
Every card places the set's large picture (SIDE x SIDE, default 2048, 8-bit RLE: a few ten
kilobytes on disk, 16 MiB decoded at 2048) four times and a picture of its own (256 x 256) once, and links to the next.
"""
import pathlib
import struct
import sys


def rle8_bmp(width, height, colour):
    """An 8-bit RLE BMP of one colour per row band; tiny on disk, whole when decoded."""
    rows = bytearray()
    for y in range(height):
        left = width
        while left:
            run = min(255, left)
            rows += bytes([run, (y // 64 + colour) % 16])
            left -= run
        rows += b"\x00\x00"
    rows += b"\x00\x01"
    palette = b"".join(bytes([16 * i, 255 - 16 * i, (40 * i) % 256, 0]) for i in range(16))
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(rows), 2835, 2835, 16, 16)
    return header + info + palette + bytes(rows)


def main():
    count, folder = int(sys.argv[1]), pathlib.Path(sys.argv[2])
    side = int(sys.argv[3]) if len(sys.argv) > 3 else 2048
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "big.bmp").write_bytes(rle8_bmp(side, side, 0))
    for i in range(count):
        name = "main" if i == 0 else "c%04d" % i
        nxt = "main" if i + 1 == count else "c%04d" % (i + 1)
        (folder / ("p%04d.bmp" % i)).write_bytes(rle8_bmp(256, 256, i))
        lines = ["card {%s}" % name, "\tnew    {WHITE}"]
        lines += ["\tbitmap {%d,%d}{big.bmp,10.0}{0}" % (10 + 220 * n, 10) for n in range(4)]
        lines += ["\tbitmap {10,300}{p%04d.bmp}{0}" % i, "\tbutton {0}{%s,%s.zep}" % (nxt, nxt), "end", ""]
        (folder / (name + ".zep")).write_bytes("\r\n".join(lines).encode("shift_jis"))


if __name__ == "__main__":
    main()
