#!/usr/bin/env python3
"""Writes a linked set of N cards for timing zepocard check and export.

Usage: make_card_set.py N FOLDER [--full]
Card 0 is main.zep; every card links to the next by a frame, a text and button 0, and a
slide every tenth card names the next ten. With --full each card fills all 40 object places
(20 texts, 5 text blocks, 5 pictures, 10 frames) with the example picture and text file.
"""
import pathlib
import shutil
import sys

HEADER = ("'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)\n"
          "'=================================================================\n"
          "'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)\n"
          "'=================================================================\n")


def name(i):
    return "main" if i == 0 else "c%04d" % i


def card(i, count, full):
    nxt = name((i + 1) % count)
    link = "{%s,%s.zep}" % (nxt, nxt)
    lines = [HEADER + "card {%s}" % name(i), "\ttitle  {カード%d}" % i, "\tnew    {WHITE}", ""]
    texts, blocks, pictures, frames = (20, 5, 5, 10) if full else (1, 0, 0, 1)
    for n in range(frames):
        lines += ["\tcolor  {}{GRAY}", "\tframe  {%d,%d}{%d,%d}{FA}%s" % (10 + 60 * n, 420, 60 + 60 * n, 460, link)]
    for n in range(pictures):
        lines += ["\tbitmap {%d,%d}{sakura.bmp,50.0}{FA}" % (10 + 120 * n, 300)]
    for n in range(blocks):
        lines += ["\tfont   {JM}{16}{0,4}", "\tfont2  {0}{0}", "\tcolor  {BLUE2}",
                  "\ttextf  {%d,%d}{aisatsu.txt}{0}" % (10 + 120 * n, 200)]
    for n in range(texts):
        lines += ["\tfont   {JG}{16}{0}", "\tfont2  {0}{0}", "\tcolor  {BLACK}{WHITE}",
                  "\ttext   {%d,%d}{つぎへ%d}{0}%s" % (10 + 150 * (n % 4), 10 + 30 * (n // 4), n, link)]
    lines += ["", "\tbutton {0}%s" % link, ""]
    if i % 10 == 0:
        lines += ["\t@slide  {3}"] + ["\t\t{%s,%s.zep}" % (name(j % count), name(j % count))
                                      for j in range(i + 1, i + 11)] + ["\t@end", ""]
    lines += ["end", ""]
    return "\r\n".join("\r\n".join(lines).split("\n")).encode("cp932")


def main():
    count, folder = int(sys.argv[1]), pathlib.Path(sys.argv[2])
    full = "--full" in sys.argv[3:]
    folder.mkdir(parents=True, exist_ok=True)
    examples = pathlib.Path(__file__).resolve().parent.parent / "examples"
    for f in ("sakura.bmp", "aisatsu.txt"):
        shutil.copy(examples / f, folder / f)
    for i in range(count):
        (folder / (name(i) + ".zep")).write_bytes(card(i, count, full))


if __name__ == "__main__":
    main()
