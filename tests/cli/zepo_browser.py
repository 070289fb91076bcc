"""What the browser tests share: headless Chromium through Selenium WITHOUT the autoplay flag
(sound waits for the visitor's click as for a real presenter), the card shown, waits for media,
and small card sets written at test time.

Every script that imports this exits 77 (skipped) when Chromium, its driver or Selenium is
missing.
"""
import contextlib
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import urllib.parse

SKIPPED = 77


def skip(why):
    print("skipped: %s" % why)
    sys.exit(SKIPPED)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    skip("python3-selenium is missing")

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
DRIVER = shutil.which("chromedriver")
if not CHROMIUM:
    skip("no chromium program")
if not DRIVER:
    skip("no chromedriver program")


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=900,700"):
        options.add_argument(argument)
    # The driver of the package, never one fetched from the network.
    return webdriver.Chrome(service=Service(executable_path=DRIVER), options=options)


@contextlib.contextmanager
def browsing():
    """A browser for the length of a `with` block, quit however the block ends."""
    driver = browser()
    try:
        yield driver
    finally:
        driver.quit()


@contextlib.contextmanager
def scratch_folder():
    """A temporary folder as a path, removed with all it holds after the `with` block."""
    with tempfile.TemporaryDirectory() as scratch:
        yield pathlib.Path(scratch)


def page_of(driver):
    """The card shown: the page the address names ("#card=PAGE", or the document's own file),
    decoded."""
    url = urllib.parse.urlparse(driver.current_url)
    for field in url.fragment.split("&"):
        if field.startswith("card="):
            return urllib.parse.unquote(field[5:])
    return urllib.parse.unquote(url.path.rsplit("/", 1)[-1])


def wait_for_page(driver, name, seconds=5):
    WebDriverWait(driver, seconds).until(lambda d: page_of(d) == name and d.execute_script(
        "return document.readyState") == "complete",
        "expected %s, still on %s" % (name, page_of(driver)))


def wait_playing(driver, script, what, least=0.5):
    """Waits until the media element the script returns has played `least` seconds."""
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("var m = " + script + "; return m && !m.paused && m.currentTime > %f;" % least),
        what + " does not play")


def click_to_start(driver):
    """The browser held the sound back: the player asks for one click, which starts it."""
    start = WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, "#zepo-start button"),
                                            "no 「クリックして開始」")[0]
    assert start.text == "クリックして開始", start.text
    start.click()
    WebDriverWait(driver, 5).until(lambda d: not d.find_elements(By.ID, "zepo-start"), "the overlay stays")


def ffmpeg(*arguments):
    if not shutil.which("ffmpeg"):
        skip("no ffmpeg program")
    subprocess.run(["ffmpeg", "-v", "error", "-y"] + list(arguments), check=True)


def avi_clip(path):
    """A six-second movie of the old kind (MPEG-4 picture, PCM sound) that browsers cannot play."""
    ffmpeg("-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=6", "-f", "lavfi", "-i",
           "sine=frequency=330:duration=6", "-c:v", "mpeg4", "-c:a", "pcm_s16le", str(path))


HEADER = ("'ﾃｷｽﾄｴﾃﾞｨﾀ等でﾏｸﾛを修正した場合,この行を削除して下さい (^_^)\n"
          "'=================================================================\n"
          "'  ＺＥＰＯ用マクロ(ZEPOｴﾃﾞｨﾀで作成)\n"
          "'=================================================================\n")


def card(name, lines):
    """A card file of the editor's own form."""
    text = HEADER + "card {%s}\n\ttitle  {%s}\n\tnew    {WHITE}\n\n" % (name, name) + "\n".join(lines) + "\nend\n"
    return text.replace("\n", "\r\n").encode("cp932")


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


def export(zepocard, folder, site, expect=0, screen=None):
    """zepocard export; skipped without a SoundFont. Returns the run."""
    command = [zepocard, "export", str(folder), "-o", str(site)] + (["--screen", screen] if screen else [])
    run = subprocess.run(command, capture_output=True, text=True)
    if "音色ファイルがありません" in run.stderr:
        skip("no General MIDI SoundFont")
    if run.returncode != expect:
        raise AssertionError("export ended with %d, not %d: %s" % (run.returncode, expect, run.stderr))
    return run


@contextlib.contextmanager
def served(folder):
    """The folder on a web server of this test's own (127.0.0.1, a free port) for the length of
    a `with` block: yields (address of the folder, the (status, path) of every request)."""
    import functools
    import http.server
    import threading
    requests = []

    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_request(self, code="-", size="-"):
            requests.append((int(code) if str(code).isdigit() else 0, self.path))

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=str(folder)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield "http://127.0.0.1:%d" % server.server_address[1], requests
    finally:
        server.shutdown()
        server.server_close()
