#!/usr/bin/env python3
"""A teacher presents an exported set in headless Chromium (no autoplay flag) from files and from a
web server of the test's own: remote keys, swipes, Back/Forward, slides, screens, the overview and
the presenter's view. Usage: browse_present.py ZEPOCARD; exits 77 when the browser or ffmpeg is missing.
"""
import base64
import shutil
import subprocess
import sys
import time

from zepo_browser import (avi_clip, browsing, card, export, ffmpeg, page_of, scratch_folder, served, wait_for_page,
                          wait_playing)
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.common.print_page_options import PrintOptions
from selenium.webdriver.support.ui import WebDriverWait

CHAIN = ["main", "Zwei", "drei", "vier"]  # each card's right button leads to the next; vier's to none


def make_set(folder):
    folder.mkdir()
    avi_clip(folder / "clip.avi")
    for n, name in enumerate(CHAIN + ["show"]):
        ffmpeg("-f", "lavfi", "-i", "color=c=0x%02x40c0:s=120x90" % (40 * n), "-frames:v", "1", str(folder / (name + ".bmp")))
        lines = ["\tbitmap {20,20}{%s.bmp,100.0}{0}" % name]
        if n + 1 < len(CHAIN):
            lines.append("\tbutton {0}{%s,%s.zep}" % (CHAIN[n + 1], CHAIN[n + 1]))
        if name == "main":
            lines += ["\tframe  {300,20}{419,79}{0}{this}", "\tframe  {440,20}{559,79}{0}{AVI,clip.avi}",
                      "\tmarker  {RED}{5}"]
        if name == "Zwei":
            lines.append("\tmarker  {}")  # a swipe on a card where the marker does not draw
        if name == "show":
            lines += ["\t@slide  {1}", "\t\t{drei,drei.zep}", "\t\t{vier,vier.zep}", "\t@end"]
        (folder / (name + ".zep")).write_bytes(card(name, lines + [""]))


def key(driver, *keys):
    driver.find_element(By.TAG_NAME, "body").send_keys(*keys)


def hinted(driver, text):
    WebDriverWait(driver, 2).until(lambda d: text in d.execute_script(
        "var h = document.getElementById('zepo-hint'); return h && h.isConnected ? h.textContent : ''"), "no hint " + text)


def swipe(driver, dx):
    x, y = driver.execute_script("var r = document.querySelector('.card').getBoundingClientRect();"
                                 "return [r.left + r.width / 2, r.top + r.height * 0.8];")
    actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
    actions.pointer_action.move_to_location(int(x), int(y)).pointer_down().move_to_location(int(x + dx / 2), int(y)) \
        .move_to_location(int(x + dx), int(y)).pointer_up()
    actions.perform()


def red_pixels(driver):
    return driver.execute_script(
        "var c = document.querySelector('.card canvas.marks'), d = c.getContext('2d').getImageData(0, 0, c.width,"
        " c.height).data, n = 0; for (var i = 0; i < d.length; i += 4) if (d[i] > 200 && d[i + 1] < 60) n++; return n;")


def visible(driver, css):
    return driver.execute_script("var e = document.querySelector(arguments[0]); return !!e && !e.hidden &&"
                                 " e.getClientRects().length > 0", css)


def remote_and_history(driver, cards):
    driver.get(cards + "main.html")
    # "this" starts the card afresh without a step in the history.
    length = driver.execute_script("return history.length")
    driver.find_element(By.CSS_SELECTOR, '.card a.area[href="main.html"]').click()
    assert driver.execute_script("return history.length") == length, "「this」 added a history entry"
    # A remote's and a keyboard's keys, the browser's Back and Forward, swipes (a number is one of
    # that many pixels): each shows the card its address names, or a hint where it cannot move.
    for move, name, hint in ((Keys.PAGE_DOWN, "Zwei", ""), (Keys.SPACE, "drei", ""), (Keys.ARROW_RIGHT, "vier", ""),
                             (Keys.ENTER, "vier", "次に進む先"), (driver.back, "drei", ""), (driver.back, "Zwei", ""),
                             (driver.forward, "drei", ""), (Keys.PAGE_UP, "Zwei", ""), (Keys.BACKSPACE, "main", ""),
                             (Keys.ARROW_LEFT, "main", "最初のカード"), (Keys.DOWN, "Zwei", ""), (-200, "drei", ""),
                             (200, "Zwei", ""), (Keys.HOME, "main", "")):
        move() if callable(move) else swipe(driver, move) if isinstance(move, int) else key(driver, move)
        if hint:
            hinted(driver, hint)
        wait_for_page(driver, name + ".html")
        assert driver.title == name, "the address says %s, the card is %s" % (name, driver.title)


def screens_and_views(driver, cards):
    driver.get(cards + "main.html")
    # A black screen that any key ends, without moving on; the marker's lines cleared by C.
    key(driver, "b")
    assert driver.execute_script("var b = document.getElementById('zepo-blank'); return b &&"
                                 " getComputedStyle(b).backgroundColor") == "rgb(0, 0, 0)"
    key(driver, Keys.PAGE_DOWN)
    assert not visible(driver, "#zepo-blank") and page_of(driver) == "main.html", "the black screen stays or moved on"
    ActionChains(driver).move_to_element_with_offset(driver.find_element(By.CSS_SELECTOR, ".card img"), 0, 200) \
        .click_and_hold().move_by_offset(80, 0).move_by_offset(80, 20).release().perform()
    assert red_pixels(driver) > 100, "the marker drew nothing"
    key(driver, "c")
    assert red_pixels(driver) == 0, "C left the marks"
    # The overview: the current card marked; a number and Enter jump, arrows and Enter too.
    key(driver, "g")
    assert driver.find_element(By.CSS_SELECTOR, "#zepo-overview .current").text.endswith("main")
    key(driver, "3", Keys.ENTER)
    wait_for_page(driver, "drei.html")
    key(driver, "g")
    key(driver, Keys.ARROW_RIGHT, Keys.ENTER)
    wait_for_page(driver, "vier.html")
    # The presenter's view follows the show and drives it.
    audience = driver.current_window_handle
    driver.find_element(By.ID, "presenter-button").click()
    WebDriverWait(driver, 5).until(lambda d: len(d.window_handles) == 2, "no presenter's view")
    driver.switch_to.window([h for h in driver.window_handles if h != audience][0])
    assert driver.find_element(By.ID, "view-now-title").text.endswith("vier")
    assert driver.find_element(By.ID, "view-next-title").text.endswith("（なし）")
    key(driver, Keys.HOME)
    WebDriverWait(driver, 5).until(lambda d: d.find_element(By.ID, "view-next-title").text.endswith("Zwei"))
    driver.find_element(By.ID, "view-step-next").click()
    WebDriverWait(driver, 5).until(lambda d: d.find_element(By.ID, "view-now-title").text.endswith("Zwei"))
    assert driver.find_element(By.ID, "view-now").get_attribute("src").endswith("/pictures/Zwei.png")
    assert driver.current_url.startswith(cards), "the view left the site for " + driver.current_url
    driver.close()
    driver.switch_to.window(audience)
    assert (page_of(driver), driver.title) == ("Zwei.html", "Zwei"), driver.title
    # Printed, every card is a page of its own with its title and nothing of the bar.
    if shutil.which("pdftotext"):
        text = subprocess.run(["pdftotext", "-", "-"], input=base64.b64decode(driver.print_page(PrintOptions())),
                              capture_output=True).stdout.decode()
        assert [page.strip() for page in text.split("\f") if page.strip()] == CHAIN + ["show"], text


def movies_and_slides(driver, cards):
    # Leaving full screen with a movie open (Esc) closes the movie; X closes one too.
    driver.get(cards + "main.html")
    for leave in ("document.exitFullscreen()", None):
        driver.find_element(By.CSS_SELECTOR, '.card a.area[href$="clip.avi.webm"]').click()
        wait_playing(driver, "document.querySelector('#zepo-movie video')", "the movie", least=0.1)
        if leave:
            key(driver, "f")
            WebDriverWait(driver, 5).until(lambda d: d.execute_script("return !!document.fullscreenElement"))
            driver.execute_script(leave)
        else:
            key(driver, "x")
        WebDriverWait(driver, 5).until(lambda d: not visible(d, "#zepo-movie"), "the movie stays after " + str(leave))
    # A slide page opened directly waits for the click before its first step.
    driver.get(cards + "show.html")
    time.sleep(1.4)
    assert page_of(driver) == "show.html" and visible(driver, "#zepo-start"), "the slide ran behind the overlay"
    driver.find_element(By.CSS_SELECTOR, "#zepo-start button").click()
    wait_for_page(driver, "drei.html", seconds=4)
    # A slide list in the address longer than any of the set's is not read: no slide runs and
    # the step is quick (20,000 pages made each step of a show take seconds).
    driver.get(cards + "main.html")
    took = driver.execute_script(
        "location.hash = 'slide=1,0,' + new Array(10001).join('drei.html,vier.html,').slice(0, -1);"
        "var t = performance.now(); ZEPO_PLAYER.next(); return performance.now() - t;")
    wait_for_page(driver, "Zwei.html")
    assert not visible(driver, "#pause"), "the address's slide list was taken"
    assert took < 300, "a step took %d ms" % took


def main():
    zepocard = sys.argv[1]
    with scratch_folder() as scratch:
        make_set(scratch / "set")
        site = scratch / "site"
        export(zepocard, scratch / "set", site, screen="640x480")
        with browsing() as driver, served(site) as (address, requests):
            for cards in (site.as_uri() + "/cards/", address + "/cards/"):
                for scenario in (remote_and_history, screens_and_views, movies_and_slides):
                    scenario(driver, cards)
            missing = [path for status, path in requests if status >= 400]
            assert not missing, "the server could not give %s" % missing
            assert any(path == "/favicon.svg" for _, path in requests), "no icon asked for"
    print("a presenter's keys, views and screens work from a file and from a server")
    return 0


if __name__ == "__main__":
    sys.exit(main())
