"""The web site as a user's browser meets it: a plain static server on
127.0.0.1 (Python's http.server, as `python3 -m http.server` serves), and
Debian's Chromium, headless, driven through ChromeDriver and Chrome's
DevTools protocol. Shared by the site's test and its benchmark."""
import base64
import functools
import http.server
import tempfile
import threading
import time

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
    return Picture(driver, base64.b64decode(cdp(driver, "Page.captureScreenshot", format="png", clip=clip)["data"]))


# A PNG's pixels, RGBA row by row, as the browser decodes it (untouched by
# colour management).
DECODE = """
const [png, done] = arguments;
const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
createImageBitmap(new Blob([bytes], { type: "image/png" }), { colorSpaceConversion: "none" }).then((bitmap) => {
  const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
  context.drawImage(bitmap, 0, 0);
  done([bitmap.width, Array.from(context.getImageData(0, 0, bitmap.width, bitmap.height).data)]);
});
"""


class Picture:
    """A screenshot: the PNG Chromium wrote, and its pixels, which Chromium
    decodes when first asked for one."""

    def __init__(self, driver, png):
        self.driver, self.png, self.rgba = driver, png, None

    def pixel(self, x, y):
        if self.rgba is None:
            self.width, self.rgba = self.driver.execute_async_script(DECODE, base64.b64encode(self.png).decode())
        at = (int(y) * self.width + int(x)) * 4
        return tuple(self.rgba[at:at + 3])

    def save(self, path):
        with open(path, "wb") as file:
            file.write(self.png)
