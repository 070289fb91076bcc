#!/usr/bin/env python3
"""Writes the starting corpus of each fuzz target into fuzz/corpus/<target>/.

Seeds are the example cards and picture, the test data, and small hand-made inputs that
reach each branch of the readers: every statement and argument shape of a card, every BMP
header, depth and compression, JPEGs of each colour space, sampling and coding order (through ImageMagick),
and settings files. Inputs that found a fault while fuzzing are kept beside them under
names starting with "regression-"; this script leaves those alone.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")


def sjis(text):
    return text.encode("cp932")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def copy(target, path, name=None):
    with open(os.path.join(ROOT, path), "rb") as f:
        write(target, name or os.path.basename(path), f.read())


# ---- cards -------------------------------------------------------------------------------

def card(*statements, name="x"):
    lines = ["card {%s}" % name] + list(statements) + ["end"]
    return sjis("\r\n".join(lines) + "\r\n")


def card_seeds():
    t = "fuzz_card_reader"
    for f in ("main.zep", "next.zep", "last.zep"):
        copy(t, "examples/" + f, "example-" + f)
    copy(t, "tests/model/data/first_card.zep", "test-first_card.zep")
    write(t, "texts.zep", card(
        "\ttitle {題名}", "\tnew {CYAN}", "\tedit {1}", "\tcursor {0}",
        "\tfont {JG}{24}{0}", "\tfont2 {1}{1}", "\tcolor {WHITE}{BLUE2}",
        "\ttext {10,20}{横書き, with comma}{2}{next,next.zep}",
        "\tfont {JM2}{32}{0}", "\ttext2 {600,40}{たて}{1}{WAVE,ding.wav}",
        "\tfont {EG}{16}{0}", "\ttext {0,0}{plain}{0}{this}",
        "\ttext {-5,99999}{}{9}"))
    write(t, "blocks.zep", card(
        "\tfont {JM}{28}{0,8}", "\tcolor {BLUE2}", "\ttextf {40,40}{aisatsu.txt}{0}",
        "\tfont {EM}{20}{0,2}", "\ttextf {1,1}{memo.txt}{0}",
        "\tfont {JG2}{20}{0,500}", "\ttextf2 {300,10}{tate.txt}{0}",
        "\ttextf2 {300,10}{memo.txt}{0}", "\ttextf {0,0}{empty.txt}{0}",
        "\ttextf {0,0}{long.txt}{0}", "\ttextf {0,0}{missing.txt}{0}", "\ttextf {0,0}{}{0}",
        "\ttextf {0,0}{文書.txt}{0}"))
    write(t, "pictures.zep", card(
        "\tbitmap {460,320}{sakura.bmp,100.0}{0}{this}",
        "\tbitmap {40,100}{sakura.bmp,150.0}{FA}",
        "\tbitmap {0,0}{photo.bmp,33.3}{FC2}{RUN,notepad memo.txt}",
        "\tbitmap {1,1}{dot.jpg,10000}{FD}", "\tbitmap {1,1}{wide.bmp,0.01}{0}",
        "\tbitmap {1,1}{huge.jpg}{FB}", "\tbitmap {2,2}{写真.jpg,99.95}{0}",
        "\tbitmap {0,0}{gone.bmp,100.0}{0}"))
    write(t, "frames.zep", card(
        "\tcolor {}{GRAY}", "\tframe {10,10}{100,100}{FA}",
        "\tcolor {}{YELLOW}", "\tframe {400,380}{600,428}{0}{next,next.zep}",
        "\tframe {100,100}{10,10}{FB2}", "\tframe {-2147483648,0}{2147483647,5}{FA}",
        "\tframe {1,2}{3,4}{FC}{CDAUDIO,12}"))
    write(t, "features.zep", card(
        "\tbutton {0}{next,next.zep}", "\tbutton {5}{this}", "\tbutton {6}{x,y}", "\tbutton {}{x}",
        "\twave {start.wav}", "\tcdaudio {3}", "\tmidi {}", "\tavi {a.avi}", "\trun {calc}",
        "\tavi2opt {1}{40,60}{FB}{75.5}", "\tavi2 {intro.avi}",
        "\tmarker {BLUE}{7}", "\tmarker {}"))
    write(t, "slides.zep", card(
        "\t@slide {2.5}", "\t\t{main,main.zep}", "\t\t{x,a,b.zep}", "\t\t{B,B.ZEP}",
        "\t\t{x,other}", "\t\t{マ,マ}.zep}", "\t\t{{a{,{a{.zep}", "", "\t@end",
        "\t@slide {900}", "\t\t{c,c.zep}"))
    write(t, "odd-lines.zep", sjis(
        "ZEPO:title line\r\n'comment\r\n  text {1,1}{before card}{0}\r\ncard {main}\r\n"
        "\ttext {1x,2}{a}{0}\r\n") + b"\ttext {1,2}{ab\x83\r\n\tcard {again}\r\n\tunknown {1}\n"
        b"\tfont {XX}{abc}{0,zz}\rend\r\nafter end\r\n")
    write(t, "cut-lead-bytes.zep", b"card {x}\r\n\ttext {1,2}{ab}{2}{next,x\x83\r\n"
          b"\t@slide {5}\r\n\t\t{x,x.zep\x83\x41bcd}\r\n\t\t{\x83,x,\x83,x.zep}\r\n\t@end\r\nend\r\n")


def render_seeds():
    """Cards to compose: the examples, the reader's hand-made cards, and every kind of object
    at the far ends of the coordinates, where the drawing once overflowed."""
    t = "fuzz_card_render"
    for f in ("main.zep", "next.zep", "last.zep"):
        copy(t, "examples/" + f, "example-" + f)
    for name in ("texts.zep", "blocks.zep", "pictures.zep", "frames.zep"):
        copy(t, "fuzz/corpus/fuzz_card_reader/" + name)
    corners = [("2147483647", "2147483647"), ("2147483600", "10"), ("10", "2147483600"),
               ("-2147483648", "-2147483648"), ("-2147483648", "10"), ("2147483000", "-2147483648")]
    for i, at in enumerate(corners):
        statements = ["\tfont {JG}{24}{0}", "\tcolor {WHITE}{BLUE2}"]
        for decoration in range(4):
            statements.append("\ttext {%s,%s}{横書き}{%d}" % (at + (decoration,)))
            statements.append("\ttext2 {%s,%s}{たて}{%d}" % (at + (decoration,)))
        statements += ["\tfont {JM}{28}{0,500}", "\ttextf {%s,%s}{aisatsu.txt}{0}" % at,
                       "\ttextf2 {%s,%s}{tate.txt}{0}" % at,
                       "\tbitmap {%s,%s}{sakura.bmp,100.0}{FA}" % at,
                       "\tbitmap {%s,%s}{photo.bmp,10000}{FB2}" % at,
                       "\tbitmap {%s,%s}{wide.bmp,0.01}{0}" % at,
                       "\tcolor {}{GRAY}", "\tframe {%s,%s}{2147483647,2147483647}{FA}" % at]
        write(t, "far-%d.zep" % i, card(*statements))


# ---- BMP ---------------------------------------------------------------------------------

def bmp(header_size, width, height, bpp, compression=0, colors_used=0, after_header=b"", pixels=b"",
        masks=b""):
    off_bits = 14 + header_size + len(after_header)
    out = b"BM" + struct.pack("<IIII", off_bits + len(pixels), 0, off_bits, header_size)
    if header_size == 12:
        out += struct.pack("<HHHH", width, height, 1, bpp)
    else:
        head = struct.pack("<iiHHIIIIII", width, height, 1, bpp, compression, 0, 0, 0, colors_used, 0) + masks
        out += head.ljust(header_size - 4, b"\0")
    return out + after_header + pixels


def palette(count, entry=4):
    return b"".join(bytes([i * 37 % 256, i * 91 % 256, i * 53 % 256, 0][:entry]) for i in range(count))


def rows(width, height, bpp):
    stride = (width * bpp + 31) // 32 * 4
    return bytes((x * 7 + y * 13) % 256 for y in range(height) for x in range(stride))


def bmp_seeds():
    t = "fuzz_bmp"
    copy(t, "examples/sakura.bmp", "example-sakura.bmp")
    w, h = 5, 3
    for bpp in (1, 4, 8):
        write(t, "pal%d.bmp" % bpp, bmp(40, w, h, bpp, 0, 0, palette(1 << bpp), rows(w, h, bpp)))
    write(t, "pal8-short.bmp", bmp(40, w, h, 8, 0, 3, palette(3), rows(w, h, 8)))
    write(t, "pal4-core.bmp", bmp(12, w, h, 4, 0, 0, palette(16, 3), rows(w, h, 4)))
    write(t, "rgb16.bmp", bmp(40, w, h, 16, 0, 0, b"", rows(w, h, 16)))
    write(t, "rgb24.bmp", bmp(40, w, h, 24, 0, 0, b"", rows(w, h, 24)))
    write(t, "rgb24-topdown.bmp", bmp(40, w, -h, 24, 0, 0, b"", rows(w, h, 24)))
    write(t, "rgb32.bmp", bmp(40, w, h, 32, 0, 0, b"", rows(w, h, 32)))
    write(t, "rgb24-os2.bmp", bmp(64, w, h, 24, 0, 0, b"", rows(w, h, 24)))
    write(t, "rgb24-core.bmp", bmp(12, w, h, 24, 0, 0, b"", rows(w, h, 24)))
    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write(t, "bitfields16.bmp", bmp(40, w, h, 16, 3, 0, masks565, rows(w, h, 16)))
    masks32 = struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
    write(t, "bitfields32-v4.bmp", bmp(108, w, h, 32, 3, 0, b"", rows(w, h, 32), masks32))
    write(t, "bitfields32-v5.bmp", bmp(124, w, h, 32, 3, 0, b"", rows(w, h, 32), masks32))
    write(t, "alphabitfields32.bmp", bmp(56, w, h, 32, 6, 0, b"", rows(w, h, 32), masks32 + b"\0\0\0\xff"))
    # Run-length: a run, an absolute run, a delta move, end of line, end of picture.
    rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 2, 5, 0, 0, 0, 1])
    write(t, "rle8.bmp", bmp(40, 6, 4, 8, 1, 0, palette(8), rle8))
    rle4 = bytes([5, 0x12, 0, 4, 0x34, 0x56, 0, 0, 0, 2, 2, 1, 3, 0x77, 0, 1])
    write(t, "rle4.bmp", bmp(40, 6, 4, 4, 2, 0, palette(16), rle4))
    write(t, "rle8-no-end.bmp", bmp(40, 300, 2, 8, 1, 0, palette(2), bytes([255, 1] * 3)))


def jpeg_seeds():
    t = "fuzz_jpeg"
    convert = shutil.which("convert")
    if not convert:
        sys.exit("ImageMagick's convert is needed for the JPEG seeds")
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "source.png")
        subprocess.run([convert, os.path.join(ROOT, "examples", "sakura.bmp"), "-resize", "24x18!", source],
                       check=True)
        variants = {
            "baseline.jpg": ["-quality", "90"],
            "q20-420.jpg": ["-quality", "20", "-sampling-factor", "4:2:0"],
            "444.jpg": ["-sampling-factor", "4:4:4"],
            "progressive.jpg": ["-interlace", "JPEG"],
            "grey.jpg": ["-colorspace", "Gray"],
            "cmyk.jpg": ["-colorspace", "CMYK"],
            "422.jpg": ["-quality", "75", "-sampling-factor", "4:2:2"],
            "odd-size.jpg": ["-resize", "7x5!"],
        }
        for name, options in variants.items():
            out = os.path.join(tmp, name)
            subprocess.run([convert, source] + options + ["-strip", out], check=True)
            with open(out, "rb") as f:
                write(t, name, f.read())


# ---- settings ----------------------------------------------------------------------------

def settings_seeds():
    t = "fuzz_settings"
    write(t, "defaults.ini", sjis(
        "[MemoTool]\r\nToolName=メモ帳\r\nExeName=notepad.exe\r\nOption=\r\n\r\n"
        "[QViewTool]\r\nToolName=画像ビュワー\r\nExeName=\\zepo\\tool\\qv\\qv.exe\r\nOption=/WD=$D\r\n\r\n"
        "[ZEPOED]\r\nisToolUse=1\r\nAuto256Color=0\r\n"))
    write(t, "odd.ini", sjis(
        "; comment\r\n[ memotool ]\r\n ToolName = Memo \r\nExeName=\"quoted.exe\"\r\nOption='$F'\r\n"
        "[ZEPOED]\nisToolUse=-12\nAuto256Color=junk\n[Help1]\nExeName=\n[Help1]\nExeName=second\n"
        "[ExeTool1\nToolName=no section\n=empty key\nnoequals\n"))


# ---- MIDI files --------------------------------------------------------------------------

def chunk(kind, body):
    return kind + struct.pack(">I", len(body)) + body


def midi(fmt, tracks, division=96):
    return chunk(b"MThd", struct.pack(">HHH", fmt, len(tracks), division)) + b"".join(
        chunk(b"MTrk", t) for t in tracks)


def midi_seeds():
    t = "fuzz_midi"
    end = b"\x00\xff\x2f\x00"
    note = b"\x00\xc0\x00\x00\x90\x3c\x64\x83\x60\x80\x3c\x00"
    tempo = b"\x00\xff\x51\x03\x07\xa1\x20"
    write(t, "one-note.mid", midi(0, [tempo + note + end]))
    write(t, "tempo-map.mid", midi(1, [tempo + b"\x83\x60\xff\x51\x03\x03\xd0\x90" + end, note + end]))
    write(t, "running-status.mid", midi(0, [b"\x00\x90\x3c\x64\x60\x40\x64\x60\x3c\x00" + end]))
    write(t, "sysex-meta.mid", midi(2, [b"\x00\xf0\x03\x7e\x7f\xf7\x00\xff\x01\x02hi" + end,
                                        b"\x00\xf7\x01\x00\x00\xe0\x00\x40\x00\xd0\x10" + end]))
    write(t, "foreign-chunk.mid", chunk(b"MThd", struct.pack(">HHH", 0, 1, 480)) + chunk(b"XFIH", b"abc") +
          chunk(b"MTrk", note + end))
    write(t, "truncated.mid", midi(0, [tempo + note + end])[:-6])
    write(t, "smpte.mid", midi(0, [note + end], division=0xE728))


def main():
    card_seeds()
    render_seeds()
    bmp_seeds()
    jpeg_seeds()
    settings_seeds()
    midi_seeds()


if __name__ == "__main__":
    main()
