#!/usr/bin/env python3
"""A presenter's show in headless Chromium without the autoplay flag, on a set exported by
zepocard: one click starts the card's sound; the player draws other cards in place, so the MIDI
piece and full screen carry on and back/forward and a bookmark of a card work; each stop
association (areas and buttons) stops its own medium only; an ADPCM WAV plays, converted at
export; what cannot play is a visible note; the marker pen draws in the card's colour, "this"
clears it and "marker off" stops it; a re-export removes what a removed card left.

Usage: browse_show.py ZEPOCARD
Exits 77 (skipped) when Chromium, its driver, Selenium, ffmpeg or a SoundFont is missing.
"""
import sys

from zepo_browser import (browsing, card, click_to_start, export, ffmpeg, midi, page_of, scratch_folder,
                          wait_for_page, wait_playing)
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

SOUND = "document.getElementById('zepo-sound')"
PIECE = "document.getElementById('zepo-midi')"
MOVIE = "document.querySelector('#zepo-movie video')"


def make_set(folder):
    folder.mkdir()
    (folder / "song.mid").write_bytes(midi(40))
    ffmpeg("-f", "lavfi", "-i", "sine=frequency=440:duration=20", "-c:a", "adpcm_ms", str(folder / "adpcm.wav"))
    ffmpeg("-f", "lavfi", "-i", "sine=frequency=660:duration=2", "-c:a", "pcm_s16le", str(folder / "ding.wav"))
    ffmpeg("-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=20", "-f", "lavfi", "-i",
           "sine=frequency=330:duration=20", "-c:v", "mpeg4", "-c:a", "pcm_s16le", str(folder / "clip.avi"))
    # A format tag no program knows: named at export, a note on the page.
    (folder / "bad.wav").write_bytes(b"RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x34\x12\x01\x00\x40\x1f\x00\x00"
                                     b"\x40\x1f\x00\x00\x01\x00\x08\x00data\x00\x10\x00\x00" + bytes(4096))
    areas = [("next,next.zep", 20, 20), ("WAVE,adpcm.wav", 160, 20), ("AVI,clip.avi", 300, 20),
             ("MIDI,song.mid", 440, 20), ("WAVE", 20, 100), ("MIDI", 160, 100), ("this", 300, 100),
             ("WAVE,bad.wav", 440, 100), ("CDAUDIO,3", 20, 180), ("quiet,quiet.zep", 160, 180)]
    lines = ["\tmidi    {song.mid}", "\tcolor  {}{YELLOW}"]
    lines += ["\tframe  {%d,%d}{%d,%d}{0}{%s}" % (x, y, x + 119, y + 59, a) for a, x, y in areas]
    lines += ["\tbutton {3}{MIDI}", "\tbutton {4}{WAVE}", "\tbutton {5}{AVI}", "\tmarker  {RED}{5}", ""]
    (folder / "main.zep").write_bytes(card("main", lines))
    (folder / "next.zep").write_bytes(card("next", ["\tbutton {0}{main,main.zep}", "\tmarker  {}", ""]))
    (folder / "quiet.zep").write_bytes(card("quiet", ["\tmidi    {}", ""]))
    (folder / "gone.zep").write_bytes(card("gone", ["\tframe  {20,20}{139,79}{0}{WAVE,ding.wav}", ""]))


def playing(driver, script):
    return driver.execute_script("var m = " + script + "; return !!m && !m.paused && !m.ended;")


def advancing(driver, script, what):
    """The medium's time moves on from now."""
    at = driver.execute_script("return " + script + ".currentTime")
    WebDriverWait(driver, 10).until(lambda d: d.execute_script("return %s.currentTime" % script) > at + 0.3,
                                    what + " stands still")


def area(driver, title):
    return driver.find_element(By.CSS_SELECTOR, '.card a.area[title="%s"]' % title)


def key(driver, k):
    driver.find_element(By.TAG_NAME, "body").send_keys(k)


def red_pixels(driver):
    return driver.execute_script(
        "var c = document.querySelector('.card canvas.marks'); if (!c) return -1;"
        "var d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data, n = 0;"
        "for (var i = 0; i < d.length; i += 4) if (d[i] > 200 && d[i + 1] < 60 && d[i + 2] < 60 && d[i + 3] > 200) n++;"
        "return n;")


def drag(driver):
    """A stroke across the lower half of the card, where it has no areas."""
    picture = driver.find_element(By.CSS_SELECTOR, ".card img")
    ActionChains(driver).move_to_element_with_offset(picture, -120, 100).click_and_hold() \
        .move_by_offset(60, 0).move_by_offset(60, 10).move_by_offset(60, 0).release().perform()


def show(driver, site):
    driver.get((site / "cards" / "main.html").as_uri())
    # The bar below the card fits in the window from the first load on.
    bottom, height = driver.execute_script("return [document.querySelector('.bar').getBoundingClientRect().bottom,"
                                           " window.innerHeight]")
    assert bottom <= height + 0.5, "the bar is cut: %s > %s" % (bottom, height)
    # The browser holds the card's piece back until the presenter's click, which starts it.
    assert not playing(driver, PIECE), "the piece plays before the presenter's click"
    click_to_start(driver)
    wait_playing(driver, PIECE, "the piece started with the card")

    # Another card in place, in full screen: same document, the piece plays on, full screen stays.
    driver.execute_script("window.sameDocument = true;")
    key(driver, "f")
    WebDriverWait(driver, 5).until(lambda d: d.execute_script("return !!document.fullscreenElement"), "no full screen")
    area(driver, "next").click()
    wait_for_page(driver, "next.html")
    assert driver.title == "next", driver.title
    assert driver.execute_script("return window.sameDocument === true"), "the card change loaded a page"
    assert driver.execute_script("return !!document.fullscreenElement"), "full screen ended with the card"
    advancing(driver, PIECE, "the piece after the card change")
    driver.back()
    wait_for_page(driver, "main.html")
    key(driver, "f")

    # Each stop stops its own medium: buttons 3, 4, 5 over the movie, then the areas.
    area(driver, "adpcm.wav").click()
    wait_playing(driver, SOUND, "the ADPCM sound, converted")
    area(driver, "clip.avi").click()
    wait_playing(driver, MOVIE, "the movie")
    assert driver.switch_to.active_element.tag_name == "video", "the movie overlay does not take the focus"
    key(driver, "3")
    assert not playing(driver, PIECE) and playing(driver, SOUND) and playing(driver, MOVIE), "button {MIDI}"
    key(driver, "4")
    assert not playing(driver, SOUND) and playing(driver, MOVIE), "button {WAVE}"
    key(driver, "5")
    assert driver.execute_script("return " + MOVIE) is None, "button {AVI}"
    area(driver, "song.mid").click()
    area(driver, "adpcm.wav").click()
    wait_playing(driver, PIECE, "the piece")
    wait_playing(driver, SOUND, "the sound")
    area(driver, "音声を止める").click()
    assert not playing(driver, SOUND) and playing(driver, PIECE), "area {WAVE}"
    area(driver, "MIDIを止める").click()
    assert not playing(driver, PIECE), "area {MIDI}"

    # What cannot play says so where it would have played.
    for title, text in (("bad.wav", "「bad.wav」は再生できません"),
                        ("音楽CDはこの再生では使えません", "音楽CDはこの再生では使えません")):
        area(driver, title).click()
        notes = [n.text for n in driver.find_elements(By.CSS_SELECTOR, ".card .note") if n.is_displayed()]
        assert text in notes, notes

    # The marker: a drag draws red marks, "this" clears them; on a card with the marker off, nothing.
    drag(driver)
    assert red_pixels(driver) > 200, red_pixels(driver)
    assert page_of(driver) == "main.html", "the stroke followed a link"
    area(driver, "main").click()
    wait_for_page(driver, "main.html")
    assert red_pixels(driver) == 0, "「this」 left the marks"
    area(driver, "next").click()
    wait_for_page(driver, "next.html")
    drag(driver)
    assert red_pixels(driver) == 0, "the marker drew with 「marker off」"

    # Back to main, whose piece starts again; a card with an empty MIDI feature stops it.
    key(driver, "0")
    wait_playing(driver, PIECE, "the piece of main again")
    area(driver, "quiet").click()
    wait_for_page(driver, "quiet.html")
    assert not playing(driver, PIECE), "the card's {MIDI} did not stop the piece"

    # A bookmark of a card opens the player at that card.
    driver.get((site / "cards" / "gone.html").as_uri())
    driver.get((site / "cards" / "main.html").as_uri() + "#card=next.html")
    wait_for_page(driver, "next.html")
    assert driver.title == "next", driver.title


def main():
    zepocard = sys.argv[1]
    with scratch_folder() as scratch:
        folder, site = scratch / "set", scratch / "site"
        make_set(folder)
        run = export(zepocard, folder, site, expect=1, screen="640x480")
        assert "「bad.wav」" in run.stderr, run.stderr
        assert "adpcm" not in run.stderr, run.stderr
        with browsing() as driver:
            show(driver, site)

        # A removed card leaves no page, picture or medium behind.
        (folder / "gone.zep").unlink()
        export(zepocard, folder, site, expect=1, screen="640x480")
        for left in ("cards/gone.html", "pictures/gone.png", "thumbs/gone.png", "media/ding.wav"):
            assert not (site / left).exists(), left + " is still in the site"
        for kept in ("cards/main.html", "media/adpcm.wav.ogg"):
            assert (site / kept).is_file(), kept + " went with the removed card"
    print("the show plays as a presenter expects")
    return 0


if __name__ == "__main__":
    sys.exit(main())
