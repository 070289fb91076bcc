#!/usr/bin/env python3
"""A real `zepocard export` of a small set with a MIDI piece and an AVI movie, played in
headless Chromium: the rendition started with the card and the converted movie play (their
time advances, the movie has a picture), movie 2 stands at its card pixels, magnification and
frame, and the card fits two window sizes with its areas.

Usage: browse_player_export.py ZEPOCARD
Exits 77 (skipped) when Chromium, its driver, Selenium, ffmpeg or a SoundFont is missing.
"""
import sys

from zepo_browser import avi_clip, browsing, card, click_to_start, export as run_export, midi, scratch_folder, wait_playing
from browse_player import check_fit, on_card
from selenium.webdriver.common.by import By


def make_set(folder):
    folder.mkdir()
    (folder / "song.mid").write_bytes(midi(8))
    avi_clip(folder / "clip.avi")
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
    run_export(zepocard, folder, site)
    for made in ("media/song.mid.ogg", "media/clip.avi.webm", "cards/main.html"):
        assert (site / made).is_file(), made + " was not made"


def main():
    zepocard = sys.argv[1]
    with scratch_folder() as scratch:
        make_set(scratch / "set")
        export(zepocard, scratch / "set", scratch / "site")
        with browsing() as driver:
            driver.get((scratch / "site" / "cards" / "main.html").as_uri())
            # The piece starts with the card, from its rendition, once the presenter clicked.
            click_to_start(driver)
            wait_playing(driver, "document.getElementById('zepo-midi')", "the MIDI started with the card")
            length = driver.execute_script("return document.getElementById('zepo-midi').duration")
            assert length > 7, "the rendition lasts %s s, not the piece's 8" % length

            # Movie 2 at (500, 400), 150 % of 320 × 240, inside the two rings of its frame FB.
            movie2 = driver.find_element(By.CSS_SELECTOR, ".movie2 video")
            wait_playing(driver, "document.querySelector('.movie2 video')", "movie 2")
            width = driver.execute_script("return arguments[0].videoWidth", movie2)
            assert width == 320, "movie 2 is %s pixels wide, not 320" % width
            assert on_card(driver, movie2) == [500, 400, 480, 360], on_card(driver, movie2)

            # The movie's area plays the converted movie in the overlay.
            driver.find_element(By.CSS_SELECTOR, 'a.area[title="clip.avi"]').click()
            wait_playing(driver, "document.querySelector('#zepo-movie video')", "the converted movie")
            width = driver.execute_script("return document.querySelector('#zepo-movie video').videoWidth")
            assert width == 320, "the converted movie is %s pixels wide, not 320" % width
            driver.find_element(By.TAG_NAME, "body").send_keys("\ue00c")  # Escape

            piece = 'a.area[title="song.mid"]'
            check_fit(driver, 1600, 1000, 1.2, 1.35, piece, (100, 100, 200, 100))
            check_fit(driver, 800, 600, 0.7, 0.78, piece, (100, 100, 200, 100))
    print("the exported set plays as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
