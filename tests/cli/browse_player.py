#!/usr/bin/env python3
"""Plays the player parts of the card pages in headless Chromium: a MIDI rendition and a
converted movie play (their time advances, the movie has a picture), movie 2 stands where the
card places it, the card fits two window sizes with its areas, F and H do their work.

Usage: browse_player.py WEB_PLAYER_FIXTURE PAGE_TEMPLATE
Exits 77 (skipped) when Chromium, its driver, Selenium, ffmpeg or a SoundFont is missing.
"""
import pathlib
import subprocess
import sys

from zepo_browser import SKIPPED, avi_clip, browsing, click_to_start, scratch_folder, skip, wait_playing  # noqa: F401
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

CARD_W, CARD_H = 1024, 768


def make_site(fixture, template, scratch):
    movie = scratch / "clip.avi"
    avi_clip(movie)
    site = scratch / "site"
    run = subprocess.run([fixture, str(template), str(movie), str(site)], capture_output=True, text=True)
    if run.returncode == SKIPPED:
        print(run.stdout.strip())
        sys.exit(SKIPPED)
    if run.returncode != 0:
        raise AssertionError("fixture failed (%d): %s" % (run.returncode, run.stderr))
    return site


def rect(driver, element):
    return driver.execute_script("var r = arguments[0].getBoundingClientRect();"
                                 "return [r.left, r.top, r.width, r.height];", element)


def on_card(driver, element):
    """The element's rectangle in card pixels."""
    card = rect(driver, driver.find_element(By.CSS_SELECTOR, ".card"))
    scale = card[2] / CARD_W
    r = rect(driver, element)
    return [round((r[0] - card[0]) / scale), round((r[1] - card[1]) / scale), round(r[2] / scale),
            round(r[3] / scale)]


def check_fit(driver, width, height, least, most, area_selector='a.area[title="曲"]', area_rect=(100, 100, 200, 100)):
    # The page's own area of that size, without the browser's bars around it.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    # The page fits the card on its resize event, some time after the override: wait for the
    # new window and a card drawn at the scale the page chose for it.
    def settled(d):
        return d.execute_script(
            "var w = document.querySelector('.card').getBoundingClientRect().width / 1024;"
            " return window.innerWidth == %d && window.innerHeight == %d &&"
            " Math.abs(w - parseFloat(document.body.getAttribute('data-scale'))) < 0.001 &&"
            " w >= %f && w <= %f;" % (width, height, least, most))
    try:
        WebDriverWait(driver, 10).until(settled)
    except Exception:
        pass  # the assertions below say what is wrong
    inner_w, inner_h = driver.execute_script("return [window.innerWidth, window.innerHeight]")
    left, top, w, h = rect(driver, driver.find_element(By.CSS_SELECTOR, ".card"))
    scale = w / CARD_W
    assert least <= scale <= most, "%dx%d window: card at %.3fx" % (width, height, scale)
    assert abs(h - CARD_H * scale) < 1, "the card lost its proportions: %s" % [w, h]
    bar = rect(driver, driver.find_element(By.CSS_SELECTOR, ".bar"))
    assert left >= -0.5 and top >= -0.5 and left + w <= inner_w + 0.5 and bar[1] + bar[3] <= inner_h + 0.5, \
        "%dx%d window: card %s and bar %s do not fit %s" % (width, height, [left, top, w, h], bar, [inner_w, inner_h])
    # The areas scale with the card: the piece's area stays at its card pixels.
    area = driver.find_element(By.CSS_SELECTOR, area_selector)
    assert on_card(driver, area) == list(area_rect), on_card(driver, area)


def main():
    fixture, template = sys.argv[1], pathlib.Path(sys.argv[2])
    with scratch_folder() as scratch:
        site = make_site(fixture, template, scratch)
        with browsing() as driver:
            driver.get((site / "cards" / "player.html").as_uri())
            check_fit(driver, 1600, 1000, 1.2, 1.35)

            # Movie 2 with its sound waits for the presenter's click; it has sound controls.
            click_to_start(driver)
            movie2 = driver.find_element(By.CSS_SELECTOR, ".movie2 video")
            assert driver.execute_script("return arguments[0].controls && !arguments[0].muted", movie2), \
                "movie 2 has no sound controls or is muted"
            wait_playing(driver, "document.querySelector('.movie2 video')", "movie 2")
            width = driver.execute_script("return arguments[0].videoWidth", movie2)
            assert width == 320, "movie 2 is %s pixels wide, not 320" % width
            assert on_card(driver, movie2) == [500, 400, 480, 360], on_card(driver, movie2)
            ring = on_card(driver, driver.find_element(By.CSS_SELECTOR, ".movie2"))
            assert ring == [498, 398, 484, 364], "movie 2's frame stands at %s" % ring

            # The piece's area plays the rendition; the stop area stops it.
            driver.find_element(By.CSS_SELECTOR, 'a.area[title="曲"]').click()
            wait_playing(driver, "document.getElementById('zepo-midi')", "the MIDI rendition")
            length = driver.execute_script("return document.getElementById('zepo-midi').duration")
            assert length > 9, "the rendition lasts %s s, not the piece's 10" % length
            driver.find_element(By.CSS_SELECTOR, 'a.area[title="止める"]').click()
            assert driver.execute_script("return document.getElementById('zepo-midi').paused"), \
                "the stop area left the piece playing"

            # The movie's area opens the overlay; Escape closes it.
            driver.find_element(By.CSS_SELECTOR, 'a.area[title="動画"]').click()
            wait_playing(driver, "document.querySelector('#zepo-movie video')", "the movie")
            width = driver.execute_script("return document.querySelector('#zepo-movie video').videoWidth")
            assert width == 320, "the movie is %s pixels wide, not 320" % width
            body = driver.find_element(By.TAG_NAME, "body")
            body.send_keys("\ue00c")  # Escape
            assert driver.execute_script("return document.getElementById('zepo-movie')") is None, \
                "Escape left the movie open"

            # H shows the hidden areas and hides them again.
            area = driver.find_element(By.CSS_SELECTOR, 'a.area[title="動画"]')
            body.send_keys("h")
            outline = area.value_of_css_property("outline-style")
            assert outline == "dashed", "H shows the area as " + outline
            body.send_keys("h")
            outline = area.value_of_css_property("outline-style")
            assert outline == "none", "H again leaves the area " + outline

            # F and the button toggle full screen.
            body.send_keys("f")
            WebDriverWait(driver, 5).until(lambda d: d.execute_script("return !!document.fullscreenElement"),
                                           "F did not enter full screen")
            driver.find_element(By.ID, "fullscreen").click() if driver.find_element(By.ID, "fullscreen").is_displayed() \
                else body.send_keys("f")
            WebDriverWait(driver, 5).until(lambda d: d.execute_script("return !document.fullscreenElement"),
                                           "full screen did not end")

            check_fit(driver, 800, 600, 0.7, 0.78)

            # A page that starts both with the card.
            driver.get((site / "cards" / "start.html").as_uri())
            click_to_start(driver)
            wait_playing(driver, "document.getElementById('zepo-midi')", "the MIDI started with the card")
            wait_playing(driver, "document.querySelector('#zepo-movie video')", "the movie started with the card")
    print("the player parts play as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
