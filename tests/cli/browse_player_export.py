#!/usr/bin/env python3
"""A real `zepocard export` of a small set with a MIDI piece and an AVI movie, played in
headless Chromium: the rendition started with the card and the converted movie play (their
time advances, the movie has a picture), movie 2 stands at its card pixels, magnification and
frame, and the card fits two window sizes with its areas.

Usage: browse_player_export.py ZEPOCARD
Exits 77 (skipped) when Chromium, its driver, Selenium, ffmpeg or a SoundFont is missing.
"""
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

from browse_export import SKIPPED, browser, skip
from browse_player import check_fit, on_card, wait_playing
from selenium.webdriver.common.by import By

HEADER = ("'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)\n"
          "'=================================================================\n"
          "'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)\n"
          "'=================================================================\n")


def midi(seconds):
    """Format 0, 96 ticks a beat at 120 beats a minute: one note held `seconds`."""
    def var(n):  # variable-length quantity
        out = [n & 0x7F]
        n >>= 7
        while n:
            out.insert(0, 0x80 | (n & 0x7F))
            n >>= 7
        return bytes(out)
    track = (b"\x00\xFF\x51\x03\x07\xA1\x20" + b"\x00\xC0\x00" + b"\x00\x90\x45\x60" +
             var(int(seconds * 2 * 96)) + b"\x80\x45\x40" + b"\x00\xFF\x2F\x00")
    return b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(track)) + track


def card(name, lines):
    text = HEADER + "card {%s}\n\ttitle  {%s}\n\tnew    {WHITE}\n\n" % (name, name) + "\n".join(lines) + "\nend\n"
    return text.replace("\n", "\r\n").encode("cp932")


def make_set(folder):
    if not shutil.which("ffmpeg"):
        skip("no ffmpeg program")
    folder.mkdir()
    (folder / "song.mid").write_bytes(midi(8))
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=6",
                    "-f", "lavfi", "-i", "sine=frequency=330:duration=6", "-c:v", "mpeg4", "-c:a", "pcm_s16le",
                    str(folder / "clip.avi")], check=True)
    (folder / "main.zep").write_bytes(card("main", [
        "\tmidi    {song.mid}",
        "\tcolor  {}{YELLOW}",
        "\tframe  {100,100}{299,199}{0}{MIDI,song.mid}",
        "\tcolor  {}{CYAN}",
        "\tframe  {100,300}{299,399}{0}{AVI,clip.avi}",
        "\tavi2opt {1}{500,400}{FB}{150.0}",
        "\tavi2    {clip.avi}",
        "\tbutton {0}{next,next.zep}", ""]))
    (folder / "next.zep").write_bytes(card("next", ["\tbutton {0}{main,main.zep}", ""]))


def export(zepocard, folder, site):
    run = subprocess.run([zepocard, "export", str(folder), "-o", str(site)], capture_output=True, text=True)
    if "音色ファイルがありません" in run.stderr:
        skip("no General MIDI SoundFont")
    if run.returncode != 0:
        raise AssertionError("export failed (%d): %s" % (run.returncode, run.stderr))
    for made in ("media/song.mid.ogg", "media/clip.avi.webm", "cards/main.html"):
        assert (site / made).is_file(), made + " was not made"


def main():
    zepocard = sys.argv[1]
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        make_set(scratch / "set")
        export(zepocard, scratch / "set", scratch / "site")
        driver = browser()
        try:
            driver.get((scratch / "site" / "cards" / "main.html").as_uri())
            # The piece starts with the card, from its rendition.
            wait_playing(driver, "document.getElementById('zepo-midi')", "the MIDI started with the card")
            assert driver.execute_script("return document.getElementById('zepo-midi').duration") > 7

            # Movie 2 at (500, 400), 150 % of 320 × 240, inside the two rings of its frame FB.
            movie2 = driver.find_element(By.CSS_SELECTOR, ".movie2 video")
            wait_playing(driver, "document.querySelector('.movie2 video')", "movie 2")
            assert driver.execute_script("return arguments[0].videoWidth", movie2) == 320
            assert on_card(driver, movie2) == [500, 400, 480, 360], on_card(driver, movie2)

            # The movie's area plays the converted movie in the overlay.
            driver.find_element(By.CSS_SELECTOR, 'a.area[title="clip.avi"]').click()
            wait_playing(driver, "document.querySelector('#zepo-movie video')", "the converted movie")
            assert driver.execute_script("return document.querySelector('#zepo-movie video').videoWidth") == 320
            driver.find_element(By.TAG_NAME, "body").send_keys("\ue00c")  # Escape

            piece = 'a.area[title="song.mid"]'
            check_fit(driver, 1600, 1000, 1.2, 1.35, piece, (100, 100, 200, 100))
            check_fit(driver, 800, 600, 0.7, 0.78, piece, (100, 100, 200, 100))
        finally:
            driver.quit()
    print("the exported set plays as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
