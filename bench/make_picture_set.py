#!/usr/bin/env python3
"""Writes a set of N cards full of pictures, for the peak memory of zepocard and the card list.

Usage: make_picture_set.py N FOLDER [SIDE] [--distinct]
Shared (the default): every card places the set's large picture (SIDE x SIDE, default 2048,
8-bit RLE: a few ten kilobytes on disk, 16 MiB decoded at 2048) four times and a picture of its
own (256 x 256) once, and links to the next.
--distinct: as a class's presentation is made, each group of ten cards places five pictures of
its own (SIDE x SIDE, each with other colours and stripes), so the set holds N / 2 distinct large
pictures; every card links to the next.
"""
import pathlib
import struct
import sys


def rle8_bmp(width, height, colour, band=64):
    """An 8-bit RLE BMP of one colour per row band; tiny on disk, whole when decoded."""
    rows = bytearray()
    for y in range(height):
        left = width
        while left:
            run = min(255, left)
            rows += bytes([run, (y // band + colour + left // 256) % 16])
            left -= run
        rows += b"\x00\x00"
    rows += b"\x00\x01"
    palette = b"".join(bytes([(16 * i + 7 * colour) % 256, (255 - 16 * i + 3 * colour) % 256, (40 * i + colour) % 256, 0])
                       for i in range(16))
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(rows), 2835, 2835, 16, 16)
    return header + info + palette + bytes(rows)


def card(i, count, pictures):
    name = "main" if i == 0 else "c%04d" % i
    nxt = "main" if i + 1 == count else "c%04d" % (i + 1)
    lines = ["card {%s}" % name, "\tnew    {WHITE}"] + pictures
    lines += ["\tbutton {0}{%s,%s.zep}" % (nxt, nxt), "end", ""]
    return name, "\r\n".join(lines).encode("shift_jis")


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    distinct = "--distinct" in sys.argv[1:]
    count, folder = int(args[0]), pathlib.Path(args[1])
    side = int(args[2]) if len(args) > 2 else 2048
    folder.mkdir(parents=True, exist_ok=True)
    if not distinct:
        (folder / "big.bmp").write_bytes(rle8_bmp(side, side, 0))
    for i in range(count):
        if distinct:
            group = i // 10
            if i % 10 == 0:
                for n in range(5):
                    (folder / ("g%03d-%d.bmp" % (group, n))).write_bytes(
                        rle8_bmp(side, side, 5 * group + n, 16 + 8 * ((group + n) % 12)))
            pictures = ["\tbitmap {%d,%d}{g%03d-%d.bmp,10.0}{0}" % (10 + 210 * (n % 3), 10 + 220 * (n // 3), group, n)
                        for n in range(5)]
        else:
            (folder / ("p%04d.bmp" % i)).write_bytes(rle8_bmp(256, 256, i))
            pictures = ["\tbitmap {%d,%d}{big.bmp,10.0}{0}" % (10 + 220 * n, 10) for n in range(4)]
            pictures += ["\tbitmap {10,300}{p%04d.bmp}{0}" % i]
        name, data = card(i, count, pictures)
        (folder / (name + ".zep")).write_bytes(data)


if __name__ == "__main__":
    main()
