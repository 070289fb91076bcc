#!/usr/bin/env python3
"""Writes the cards the render benchmark uses into a folder: full.zep (20 one-line texts, a
third of them vertical, 5 text blocks, 5 pictures of 640 x 480, 10 frames), empty.zep, and
full000.zep ... full199.zep for the batch runs. Usage: make_render_cards.py FOLDER"""
import os
import struct
import sys

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)


def bmp24(path, w, h, seed):
    row = bytearray()
    for x in range(w):
        row += bytes(((x * 3 + seed * 40) & 255, (x + seed * 17) & 255, (x * 7) & 255))
    pad = (4 - len(row) % 4) % 4
    rows = b"".join(bytes(row[(y % 64) * 3:] + row[:(y % 64) * 3]) + b"\0" * pad for y in range(h))
    header = b"BM" + struct.pack("<IHHI", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


for n in range(1, 6):
    bmp24(os.path.join(folder, f"pic{n}.bmp"), 640, 480, n)
    with open(os.path.join(folder, f"block{n}.txt"), "wb") as f:
        f.write("\r\n".join(f"{n}行目のテキスト {i} です" for i in range(12)).encode("cp932"))

colors = ["BLACK", "BLUE", "RED", "MAGENTA", "GREEN", "CYAN", "YELLOW", "WHITE"]
lines = ["card {%s}", "\tnew    {CYAN}", ""]
for n in range(10):
    lines += ["\tcolor  {}{%s}" % colors[n % 8],
              "\tframe  {%d,%d}{%d,%d}{%s}" % (20 + n * 90, 20 + n * 60, 120 + n * 90, 90 + n * 60, ["FA", "FB", "FC", "FD", "FA2"][n % 5])]
for n in range(5):
    lines += ["\tbitmap {%d,%d}{pic%d.bmp,%s}{FA}" % (n * 70, n * 50, n + 1, "100.0" if n % 2 else "75.0")]
for n in range(5):
    lines += ["\tfont   {JM}{18}{0,4}", "\tfont2  {0}{0}", "\tcolor  {%s}" % colors[n % 8],
              "\t%s  {%d,%d}{block%d.txt}{0}" % ("textf" if n % 2 == 0 else "textf", 400 + n * 100, 300, n + 1)]
for n in range(20):
    vertical = n % 3 == 0
    lines += ["\tfont   {%s}{%d}{0}" % (["JM", "JG", "EM", "EG"][n % 4] if not vertical else "JG2", 20 + n % 5 * 4),
              "\tfont2  {%d}{0}" % (n % 2), "\tcolor  {%s}{WHITE}" % colors[n % 8],
              "\t%s  {%d,%d}{%s}{%d}" % ("text2" if vertical else "text ", 30 + n * 45, 500 + (n % 4) * 40,
                                         "縦書き" if vertical else "文字 %d です" % n, n % 6)]
lines += ["", "end", ""]
full = "\r\n".join(lines)
with open(os.path.join(folder, "full.zep"), "wb") as f:
    f.write((full % "full").encode("cp932"))
with open(os.path.join(folder, "empty.zep"), "wb") as f:
    f.write("card {empty}\r\n\tnew    {CYAN}\r\nend\r\n".encode("cp932"))
batch = os.path.join(folder, "batch")
os.makedirs(batch, exist_ok=True)
for name in os.listdir(folder):
    if name.endswith((".bmp", ".txt")) and not os.path.exists(os.path.join(batch, name)):
        os.link(os.path.join(folder, name), os.path.join(batch, name))
for i in range(200):
    with open(os.path.join(batch, f"full{i:03d}.zep"), "wb") as f:
        f.write((full % f"full{i:03d}").encode("cp932"))
