"""The web site as a user's browser meets it: a plain static server on
127.0.0.1 (Python's http.server, as `python3 -m http.server` serves), and
Debian's Chromium, headless, driven through ChromeDriver and Chrome's
DevTools protocol. Shared by the site's test and its benchmark."""
import base64
import functools
import http.server
import struct
import tempfile
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class Server:
    """The site's folder on a free port of 127.0.0.1, until stopped."""

    def __init__(self, folder):
        handler = functools.partial(Quiet, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def chromium(width=1024, height=768):
    """A fresh headless Chromium with a profile of its own; no calls home,
    which a closed network refuses."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-quic", "--no-first-run", "--no-default-browser-check",
                     f"--window-size={width},{height}", f"--user-data-dir={tempfile.mkdtemp()}"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(30)
    return driver


def cdp(driver, command, **parameters):
    return driver.execute_cdp_cmd(command, parameters)


# The form on the page: Qt's screen is the element #form, its windows'
# canvases in a shadow root under it.
FORM_RECT = "const r = document.getElementById('form').getBoundingClientRect();" \
            "return [r.left, r.top, r.width, r.height];"
DRAWN = """
const host = document.querySelector('#form #qt-shadow-container');
const canvas = host && host.shadowRoot && host.shadowRoot.querySelector('canvas');
return Boolean(canvas && canvas.width > 0 && document.getElementById('status').hidden);
"""


def wait_until(predicate, timeout=60, what="the page"):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def wait_drawn(driver, timeout=60):
    wait_until(lambda: driver.execute_script(DRAWN), timeout, "the form to be drawn")
    time.sleep(0.3)  # the next frame


def screenshot(driver, scale=1):
    """The form as a Picture, one pixel a CSS pixel times `scale`."""
    left, top, width, height = driver.execute_script(FORM_RECT)
    clip = {"x": left, "y": top, "width": width, "height": height, "scale": scale}
    png = cdp(driver, "Page.captureScreenshot", format="png", clip=clip)["data"]
    return Picture(base64.b64decode(png))


class Picture:
    """An 8-bit RGB or RGBA PNG, as Chromium writes them, decoded."""

    def __init__(self, png):
        self.png = png
        chunks, at = {}, 8
        data = b""
        while at < len(png):
            length, kind = struct.unpack(">I4s", png[at:at + 8])
            body = png[at + 8:at + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, depth, colour = struct.unpack(">IIBB", body[:10])
                assert depth == 8 and colour in (2, 6), "not an 8-bit RGB(A) picture"
                self.channels = 3 if colour == 2 else 4
            elif kind == b"IDAT":
                data += body
            at += 12 + length
        raw = zlib.decompress(data)
        stride = self.width * self.channels
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
            kind, row = line[0], bytearray(line[1:])
            for x in range(stride):
                left = row[x - self.channels] if x >= self.channels else 0
                up = previous[x]
                corner = previous[x - self.channels] if x >= self.channels else 0
                if kind == 1:
                    row[x] = (row[x] + left) & 0xFF
                elif kind == 2:
                    row[x] = (row[x] + up) & 0xFF
                elif kind == 3:
                    row[x] = (row[x] + (left + up) // 2) & 0xFF
                elif kind == 4:
                    p = left + up - corner
                    pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                    row[x] = (row[x] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
            rows.append(row)
            previous = row
        self.rows = rows

    def pixel(self, x, y):
        at = int(x) * self.channels
        return tuple(self.rows[int(y)][at:at + 3])

    def save(self, path):
        with open(path, "wb") as file:
            file.write(self.png)
