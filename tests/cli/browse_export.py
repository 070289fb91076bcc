#!/usr/bin/env python3
"""Exports the example cards with zepocard and browses the pages in headless Chromium from the
file system, as a visitor would: clicking, keys, the right mouse button and a slide.

Usage: browse_export.py ZEPOCARD EXAMPLES_DIR
Exits 77 (skipped) when Chromium, its driver or Selenium is not installed (zepo_browser.py).
"""
import pathlib
import shutil
import sys
import time
import wave

from zepo_browser import SKIPPED, browsing, click_to_start, export, page_of, scratch_folder, skip, wait_for_page  # noqa: F401
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.support.ui import WebDriverWait


def rename_next_card(folder, new_stem):
    """Renames next.zep and every link to it, so the set has a name with a blank, '#' and kana."""
    for card in folder.glob("*.zep"):
        text = card.read_bytes().decode("cp932").replace("next", new_stem)
        card.write_bytes(text.encode("cp932"))
    (folder / "next.zep").rename(folder / (new_stem + ".zep"))


def add_sound_button(folder):
    """Button 2 of main plays a short sound whose name has a blank."""
    with wave.open(str(folder / "ding dong.wav"), "wb") as sound:
        sound.setnchannels(1)
        sound.setsampwidth(1)
        sound.setframerate(8000)
        sound.writeframes(bytes([128]) * 800)
    main_card = folder / "main.zep"
    main_card.write_bytes(main_card.read_bytes().replace(b"\tbutton {0}", b"\tbutton {2}{WAVE,ding dong.wav}\r\n\tbutton {0}"))


HOSTILE_NAMES = ["javascript:alert(1)", "\"><img src=x onerror=alert(2)>", "https:elsewhere"]


def add_hostile_cards(folder):
    """Cards whose names and titles look like markup, script and addresses, shown by a slide of
    one second (show.zep) that also passes main."""
    template = (folder / "last.zep").read_bytes().decode("cp932")
    for name in HOSTILE_NAMES:
        text = template.replace("{おわりに}", "{<script>document.title='pwned'</script>}")
        (folder / (name + ".zep")).write_bytes(text.encode("cp932"))
    entries = "".join("\t\t{x,%s.zep}\r\n" % name for name in HOSTILE_NAMES)
    show = template.replace("@slide  {5}", "@slide  {1}")
    start = show.index("\t\t{main,main.zep}")
    end = show.index("\t@end")
    show = show[:start] + entries + "\t\t{main,main.zep}\r\n" + show[end:]
    (folder / "show.zep").write_bytes(show.encode("cp932"))


def no_script_ran(driver, where):
    """Fails when an alert is open or a hostile text became script."""
    try:
        text = driver.switch_to.alert.text
    except NoAlertPresentException:
        text = None
    assert text is None, "an alert opened (%s) at %s" % (text, where)
    assert driver.title != "pwned", "script ran at " + where


def on_site(driver, site, where):
    """Fails when script ran or the address shown is no page of the site; returns the page."""
    no_script_ran(driver, where)
    url = driver.current_url
    assert url.startswith(site.as_uri() + "/"), "left the site for %s from %s" % (url, where)
    return page_of(driver)


def stays_on_site(driver, site, seconds, where, until=lambda seen: False):
    """Watches for `seconds`, or until `until` holds of the pages seen: no script, and every
    address shown is a page of the site."""
    end = time.monotonic() + seconds
    seen = set()
    while time.monotonic() < end and not until(seen):
        seen.add(on_site(driver, site, where))
        time.sleep(0.1)
    return seen


# Addresses of main.html, as a visitor edits the part after "#", and the page each ends on.
# A slide list naming anything but a page of the site is ignored; a card named in the address
# is shown only when it is a page of the set; a position outside the list starts it from the
# beginning. The slides that do move (1 second) at both ends show that the timers ran, so that
# what stays is no vacuous pass.
HOSTILE_ADDRESSES = [("slide=1,-1,last.html", "last.html")] + [
    ("slide=1,-1," + payload, "main.html") for payload in (
        "javascript:alert(document.domain)//", "javascript:document.title='pwned'//", "https://elsewhere.invalid/",
        "//elsewhere.invalid/main.html", "data:text/html,<script>alert(1)</script>",
        "last.html,javascript:alert(1)//", "../../index.html", "%2E%2E/index.html", "main.html?x=1",
        "cards/main.html", "%6Aavascript:alert(1)")] + [
    ("card=" + payload, "main.html") for payload in (
        "javascript:alert(1)", "https://elsewhere.invalid/", "../index.html", "%2E%2E%2Findex.html",
        "last.html%00.js", "<img src=x onerror=alert(3)>")] + [
    ("slide=1,99999,last.html", "last.html")]


def hostile_addresses(driver, site):
    """Every address in a window of its own, their timers running side by side."""
    main_page = (site / "cards" / "main.html").as_uri()
    titles = {"main.html": "はじめての発表", "last.html": "おわりに"}
    driver.get(main_page)
    first = driver.current_window_handle
    for i in range(len(HOSTILE_ADDRESSES)):  # opened from the page: far quicker than by the driver
        driver.execute_script("window.open(arguments[0], arguments[1])", main_page, "hostile %d" % i)
    windows = [window for window in driver.window_handles if window != first]
    assert len(windows) == len(HOSTILE_ADDRESSES), "%d windows opened" % len(windows)
    for window, (fragment, _) in zip(windows, HOSTILE_ADDRESSES):
        driver.switch_to.window(window)
        driver.get(main_page + "#" + fragment)
    wait_for_page(driver, "last.html", seconds=5)  # the last window's slide moved on
    time.sleep(0.6)
    for window, (fragment, page) in zip(windows, HOSTILE_ADDRESSES):
        driver.switch_to.window(window)
        shown = on_site(driver, site, fragment)
        # A card address keeps what was typed after "#": there the title tells the card shown.
        assert driver.title == titles[page] and (shown == page or fragment.startswith("card=")), \
            "#%s shows %s (%s)" % (fragment, shown, driver.title)
        driver.close()
    driver.switch_to.window(first)
    driver.get(main_page + "#card=last.html")  # whose own slide moves on in 2 seconds
    wait_for_page(driver, "last.html")


def hostile_names(driver, site):
    """Pages of cards named like script show as text and link only within the site."""
    driver.get((site / "index.html").as_uri())
    titles = [e.text for e in driver.find_elements(By.CSS_SELECTOR, ".cards .title")]
    assert titles.count("<script>document.title='pwned'</script>") == len(HOSTILE_NAMES), titles
    names = [e.text for e in driver.find_elements(By.CSS_SELECTOR, ".cards .file")]
    for name in HOSTILE_NAMES:
        assert name + ".zep" in names, names
    driver.get((site / "cards" / "show.html").as_uri())
    click_to_start(driver)
    expected = {name + ".html" for name in HOSTILE_NAMES}
    seen = stays_on_site(driver, site, 6, "show.html", until=lambda seen: expected <= seen)
    assert expected <= seen, "the slide shows every page by name: %s" % seen


def main():
    zepocard, examples = sys.argv[1], pathlib.Path(sys.argv[2])
    with scratch_folder() as scratch:
        cards = scratch / "cards"
        shutil.copytree(examples, cards)
        next_stem = "つぎ #2"
        rename_next_card(cards, next_stem)
        last_card = cards / "last.zep"  # its slide moves on every 2 seconds instead of 5
        last_card.write_bytes(last_card.read_bytes().replace(b"@slide  {5}", b"@slide  {2}"))
        add_sound_button(cards)
        site = scratch / "サイト 1"
        export(zepocard, cards, site, screen="640x480")
        hostile = scratch / "hostile"
        shutil.copytree(examples, hostile)
        add_hostile_cards(hostile)
        hostile_site = scratch / "hostile site"
        export(zepocard, hostile, hostile_site, screen="640x480")

        with browsing() as driver:
            # The index starts from main and shows each card's title.
            driver.get((site / "index.html").as_uri())
            assert driver.title == "はじめての発表", driver.title
            titles = [e.text for e in driver.find_elements(By.CSS_SELECTOR, ".cards .title")]
            assert titles == ["はじめての発表", "ごあいさつ", "おわりに"], titles
            driver.find_elements(By.CSS_SELECTOR, ".cards a")[0].click()
            wait_for_page(driver, "main.html")

            # Clicking the "つぎへ" area leads to the next card, whatever its file is called.
            area = driver.find_element(By.CSS_SELECTOR, '.card a.area[title="つぎへ"]')
            area.click()
            wait_for_page(driver, next_stem + ".html")
            assert driver.title == "ごあいさつ", driver.title
            picture = driver.find_element(By.CSS_SELECTOR, ".card img")
            width = driver.execute_script("return arguments[0].complete && arguments[0].naturalWidth", picture)
            assert width == 640, "the card's picture is %s pixels wide, not 640" % width

            # Key 0 is the right mouse button: next's goes back to main; key 1 is button 1 (last).
            driver.find_element(By.TAG_NAME, "body").send_keys("1")
            wait_for_page(driver, "last.html")
            driver.back()
            wait_for_page(driver, next_stem + ".html")
            driver.find_element(By.TAG_NAME, "body").send_keys("0")
            wait_for_page(driver, "main.html")
            # Key 2 plays main's sound in the page, from the copy beside the pages.
            driver.find_element(By.TAG_NAME, "body").send_keys("2")
            played = driver.execute_script("var s = document.getElementById('zepo-sound'); return s ? s.src : ''")
            assert played.endswith("/media/ding%20dong.wav"), played
            assert (site / "media" / "ding dong.wav").read_bytes() == (cards / "ding dong.wav").read_bytes(), \
                "the sound beside the pages differs from the card's"
            assert page_of(driver) == "main.html", page_of(driver)
            # The right mouse button on the card does what main's button 0 says.
            ActionChains(driver).context_click(driver.find_element(By.CSS_SELECTOR, ".card img")).perform()
            wait_for_page(driver, next_stem + ".html")

            # last.zep plays main, next, last every 2 seconds from the presenter's click, with a pause button.
            driver.get((site / "cards" / "last.html").as_uri())
            click_to_start(driver)
            pause = driver.find_element(By.ID, "pause")
            assert pause.is_displayed() and pause.text == "一時停止", pause.text
            started = time.monotonic()
            wait_for_page(driver, "main.html", seconds=5)
            assert time.monotonic() - started > 1.5, "the slide moved on before its interval"
            assert "slide=" in driver.current_url, driver.current_url
            wait_for_page(driver, next_stem + ".html", seconds=5)
            pause = driver.find_element(By.ID, "pause")
            pause.click()
            assert pause.text == "再生", pause.text
            time.sleep(3)
            assert page_of(driver) == next_stem + ".html", "a paused slide moved on to " + page_of(driver)
            # P resumes it (it works in full screen too, where the bar is hidden).
            driver.find_element(By.TAG_NAME, "body").send_keys("p")
            wait_for_page(driver, "last.html", seconds=5)

            hostile_addresses(driver, site)
            hostile_names(driver, hostile_site)
    print("exported pages browse as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
