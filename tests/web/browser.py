"""The web site as a user's browser meets it: a plain static server on
127.0.0.1 (Python's http.server, as `python3 -m http.server` serves), and
one of three browser engines, each driven the way its own automation allows:
  - Chromium (Blink), Debian's, headless, through ChromeDriver and Chrome's
    DevTools protocol;
  - WebKitGTK (WebKit, the engine of Safari and of every browser on an
    iPhone or iPad), its MiniBrowser through WebKitWebDriver, on the X
    display of the caller;
  - Firefox ESR (Gecko), through WebDriver BiDi, which it serves itself, on
    the X display of the caller.
All three take the same input actions (WebDriver's) and run the same
scripts. Shared by the site's test and its benchmark."""
import base64
import functools
import gzip
import http.server
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ENGINES = ("chromium", "webkit", "firefox")


class Server:
    """The site's folder on a free port of 127.0.0.1, until stopped. With
    `compress`, text goes out gzipped (at level 9, once, before the first
    request), as a server that compresses sends it, over connections kept
    alive."""

    def __init__(self, folder, compress=False):
        if compress:
            handler = functools.partial(Compressing, directory=folder, packed=Compressing.pack(folder))
        else:
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


class Compressing(Quiet):
    protocol_version = "HTTP/1.1"
    compressible = (".html", ".js", ".wasm", ".json", ".svg", ".txt", ".css")

    def __init__(self, *args, packed, **kwargs):
        self.packed = packed
        super().__init__(*args, **kwargs)

    @classmethod
    def pack(cls, folder):
        """Every file of the folder, and gzipped where text: path -> (plain, packed)."""
        files = {}
        for where, _, names in os.walk(folder):
            for name in names:
                path = os.path.join(where, name)
                with open(path, "rb") as file:
                    plain = file.read()
                files[os.path.realpath(path)] = (plain, gzip.compress(plain, 9, mtime=0)
                                                 if name.endswith(cls.compressible) else None)
        return files

    def do_GET(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        found = self.packed.get(os.path.realpath(path))
        if not found:
            self.send_error(404)
            return
        plain, packed = found
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        if packed is not None and "gzip" in self.headers.get("Accept-Encoding", ""):
            self.send_header("Content-Encoding", "gzip")
            body = packed
        else:
            body = plain
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Unreachable(Exception):
    """What an engine's automation cannot do, and why."""


# Scripts run as the body of an async function of `args`; what they return
# comes back through JSON.
def _wrapped(body):
    return "(async (args) => { %s })(JSON.parse(arguments[0]))" % body


class Browser:
    engine = ""
    version = ""
    # Whether scripts can read what the page puts on the clipboard.
    clipboard_from_page = False

    def run(self, body, *args):
        raise NotImplementedError

    def actions(self, sources):
        """WebDriver input actions: a list of input sources with their actions."""
        raise NotImplementedError

    def open(self, url):
        raise NotImplementedError

    def reload(self):
        raise NotImplementedError

    def png(self, left, top, width, height, scale=1):
        """A screenshot of a rectangle of the page, in CSS pixels."""
        raise NotImplementedError

    def shows(self, text):
        """Whether the page shows `text`, read even where the page's own
        scripts are off."""
        return text in self.run("return document.body.innerText")

    def accessibility_tree(self):
        """The page's accessibility tree as the engine computes it:
        (role, name, value, read-only, labelled by a caption)."""
        raise Unreachable("the automation gives no accessibility tree")

    def accessible(self, role, name):
        """How many nodes the engine's accessibility tree has of `role`
        named `name`."""
        raise Unreachable("the automation gives no accessibility tree")

    def quit(self):
        raise NotImplementedError


class _Selenium(Browser):
    def __init__(self, driver):
        self.driver = driver
        driver.set_script_timeout(30)

    def run(self, body, *args):
        script = ("const done = arguments[arguments.length - 1];" + _wrapped(body) +
                  ".then((v) => done(JSON.stringify(v === undefined ? null : v))," +
                  " (e) => done(JSON.stringify({ scriptError: String(e) })));")
        value = json.loads(self.driver.execute_async_script(script, json.dumps(args)))
        if isinstance(value, dict) and "scriptError" in value:
            raise RuntimeError(f"{self.engine}: {value['scriptError']}")
        return value

    def actions(self, sources):
        self.driver.execute("actions", {"actions": sources})

    def open(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def quit(self):
        self.driver.quit()


class Chromium(_Selenium):
    """A fresh headless Chromium with a profile of its own; no calls home,
    which a closed network refuses."""
    engine = "chromium"
    clipboard_from_page = True

    def __init__(self, width=1024, height=768):
        super().__init__(chromium(width, height))
        self.version = self.driver.capabilities.get("browserVersion", "")

    def cdp(self, command, **parameters):
        return cdp(self.driver, command, **parameters)

    def png(self, left, top, width, height, scale=1):
        clip = {"x": left, "y": top, "width": width, "height": height, "scale": scale}
        return base64.b64decode(self.cdp("Page.captureScreenshot", format="png", clip=clip)["data"])

    def accessibility_tree(self):
        found = []
        for node in self.cdp("Accessibility.getFullAXTree")["nodes"]:
            if node.get("ignored"):
                continue
            get = lambda key: (node.get(key) or {}).get("value", "")  # noqa: E731
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            sources = (node.get("name") or {}).get("sources", [])
            # A caption, a <label> of the box, whether or not it names it.
            labelled = any(s.get("nativeSource") in ("labelfor", "labelwrapped") and s.get("nativeSourceValue")
                           for s in sources)
            found.append((get("role"), get("name"), str(get("value")).replace("\r", ""),
                          bool(properties.get("readonly")), labelled))
        return found

    def accessible(self, role, name):
        return sum(1 for node in self.accessibility_tree() if node[:2] == (role, name))

    def shows(self, text):
        return text in self.cdp("Runtime.evaluate", expression="document.body.innerText")["result"]["value"]


def chromium(width=1024, height=768):
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


MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


class WebKit(_Selenium):
    """WebKitGTK's MiniBrowser, driven by WebKitWebDriver, in a window of
    the X display the caller gives (DISPLAY). `settings` are WebKit's own
    (MiniBrowser's --enable-javascript=false and so on). It draws with its
    CPU renderer: its GPU path, on a software-drawn X server, once aborted
    the web process compiling one of Skia's effects (reading pixels back
    from a GPU canvas), and an X server without a GPU gains nothing by it."""
    engine = "webkit"

    def __init__(self, width=1024, height=768, settings=()):
        os.environ["WEBKIT_SKIA_ENABLE_CPU_RENDERING"] = "1"
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        for setting in settings:
            options.add_argument(setting)
        super().__init__(webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options))
        self.version = self.driver.capabilities.get("browserVersion", "")
        self.driver.set_window_rect(0, 0, width, height)
        # The window's size is its page's, less what the browser draws around it.
        inner = self.driver.execute_script("return [innerWidth, innerHeight]")
        self.driver.set_window_rect(0, 0, 2 * width - inner[0], 2 * height - inner[1])

    def png(self, left, top, width, height, scale=1):
        return _crop_png(self, self.driver.get_screenshot_as_png(), left, top, width, height)

    def accessible(self, role, name):
        count = 0
        for element in self._mirror_elements():
            if element.aria_role == role and element.accessible_name == name:
                count += 1
        return count

    def _mirror_elements(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll(arguments[0])].filter((e) => !e.closest('[hidden]'));", CONTROLS)


def _free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def _crop_png(browser, png, left, top, width, height):
    """A rectangle of a screenshot of the viewport, cut out by the browser
    itself."""
    data = browser.run("""
        const [png, left, top, width, height] = args;
        const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
        const bitmap = await createImageBitmap(new Blob([bytes], { type: "image/png" }),
                                               { colorSpaceConversion: "none" });
        const scale = bitmap.width / innerWidth;
        const canvas = document.createElement("canvas");
        canvas.width = Math.round(width * scale);
        canvas.height = Math.round(height * scale);
        canvas.getContext("2d", { willReadFrequently: true }).drawImage(bitmap, left * scale, top * scale, width * scale, height * scale,
                                          0, 0, canvas.width, canvas.height);
        return canvas.toDataURL("image/png").split(",")[1];""",
                       base64.b64encode(png).decode(), left, top, width, height)
    return base64.b64decode(data)


class Firefox(Browser):
    """Firefox ESR with a profile of its own, through the WebDriver BiDi
    server it has built in, in a window of the X display the caller gives.
    `preferences` are Firefox's own (javascript.enabled and so on)."""
    engine = "firefox"

    def __init__(self, width=1024, height=768, preferences=None, environment=None):
        import websocket  # Debian's python3-websocket

        self.profile = tempfile.mkdtemp()
        prefs = {
            # Nothing to say at the first start, nothing to fetch from a closed network.
            "browser.shell.checkDefaultBrowser": False,
            "browser.aboutwelcome.enabled": False,
            "datareporting.policy.dataSubmissionEnabled": False,
            "browser.startup.homepage": "about:blank",
            "startup.homepage_welcome_url": "about:blank",
            "network.captive-portal-service.enabled": False,
            "network.connectivity-service.enabled": False,
            **(preferences or {}),
        }
        with open(os.path.join(self.profile, "user.js"), "w", encoding="utf-8") as file:
            for name, value in prefs.items():
                file.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        port = _free_port()
        # It opens on a page, not on about:blank, whose new window has the
        # focus in its address bar: the pages it goes to have the focus, as
        # one the user opened from that bar.
        self.log = open(os.path.join(self.profile, "firefox.log"), "w+b")
        self.process = subprocess.Popen(
            ["firefox-esr", f"--remote-debugging-port={port}", "--profile", self.profile, "--no-remote",
             "--new-instance", "--width", str(width), "--height", str(height), "data:text/html,"],
            stdout=self.log, stderr=subprocess.STDOUT,
            env={**os.environ, "MOZ_CRASHREPORTER_DISABLE": "1", **(environment or {})})
        end = time.monotonic() + 60
        while time.monotonic() < end:
            try:
                self.socket = websocket.create_connection(f"ws://127.0.0.1:{port}/session", timeout=60,
                                                            suppress_origin=True)
                break
            except (ConnectionError, OSError, websocket.WebSocketException):
                if self.process.poll() is not None:
                    raise RuntimeError(f"Firefox ended: {self._log()}")
                time.sleep(0.2)
        else:
            raise RuntimeError(f"Firefox serves no WebDriver BiDi: {self._log()}")
        self.next_id = 0
        session = self.command("session.new", capabilities={})
        self.version = session["capabilities"]["browserVersion"]
        self.context = self.command("browsingContext.getTree")["contexts"][0]["context"]
        self.command("browsingContext.setViewport", context=self.context,
                     viewport={"width": width, "height": height})
        self.command("browsingContext.activate", context=self.context)

    def _log(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")[-2000:]

    def command(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") != self.next_id:
                continue  # an event
            if message.get("type") == "error":
                raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
            return message["result"]

    def run(self, body, *args):
        result = self.command("script.callFunction", target={"context": self.context}, awaitPromise=True,
                              functionDeclaration="async function() { const v = await %s;"
                                                  " return JSON.stringify(v === undefined ? null : v); }"
                                                  % _wrapped(body),
                              arguments=[{"type": "string", "value": json.dumps(args)}])
        if result["type"] == "exception":
            raise RuntimeError(f"firefox: {result['exceptionDetails'].get('text')}")
        return json.loads(result["result"]["value"])

    def actions(self, sources):
        self.command("input.performActions", context=self.context, actions=sources)

    def open(self, url):
        self.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def reload(self):
        self.command("browsingContext.reload", context=self.context, wait="complete")

    def png(self, left, top, width, height, scale=1):
        clip = {"type": "box", "x": left, "y": top, "width": width, "height": height}
        data = self.command("browsingContext.captureScreenshot", context=self.context, clip=clip)["data"]
        return base64.b64decode(data)

    def shows(self, text):
        # From the page's nodes as the protocol gives them: no script of the
        # automation's runs in a page whose scripts are off.
        body = self.command("browsingContext.locateNodes", context=self.context,
                            locator={"type": "css", "value": "body"},
                            serializationOptions={"maxDomDepth": 100})["nodes"]
        return any(text in shown for shown in _shown_texts(body))

    def accessible(self, role, name):
        locator = {"type": "accessibility", "value": {"role": role, "name": name}}
        return len(self.command("browsingContext.locateNodes", context=self.context, locator=locator)["nodes"])

    def quit(self):
        try:
            self.command("browser.close")
        except Exception:  # noqa: BLE001 (already gone)
            pass
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def _shown_texts(nodes, raw=False):
    """The texts of serialized nodes that a page shows: none of a hidden
    element's, nor a script's or a style's, nor what a noscript element
    holds as text (scripts on)."""
    for node in nodes:
        value = node.get("value", {})
        if value.get("nodeType") == 3:
            if not raw:
                yield value.get("nodeValue", "")
            continue
        name = value.get("localName", "")
        if "hidden" in value.get("attributes", {}) or name in ("script", "style"):
            continue
        yield from _shown_texts(value.get("children") or [], raw=name == "noscript")


def launch(engine, **options):
    return {"chromium": Chromium, "webkit": WebKit, "firefox": Firefox}[engine](**options)


# The form on the page: the element #form, its controls the page's own
# elements; the report of a run-time error a dialog beside it, while open.
FORM_RECT = "const r = document.getElementById('form').getBoundingClientRect();" \
            "return [r.left, r.top, r.width, r.height];"
CONTROLS = "#form input, #form textarea, #form button, #report[open], #report[open] button"
# Drawn and taking input: the program has loaded the form.
DRAWN = """
const form = document.getElementById('form');
return Boolean(form && !form.hasAttribute('aria-busy') && document.getElementById('status').hidden);
"""


def wait_until(predicate, timeout=60, what="the page"):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def wait_drawn(browser, timeout=60):
    wait_until(lambda: browser.run(DRAWN), timeout, "the form to be drawn")
    time.sleep(0.3)  # the next frame


def screenshot(browser, scale=1):
    """The form as a Picture, one pixel a CSS pixel times `scale`."""
    left, top, width, height = browser.run(FORM_RECT)
    return Picture(browser, browser.png(left, top, width, height, scale))


class Picture:
    """A screenshot: the PNG the browser wrote, and its pixels, which the
    browser decodes when first asked for one (untouched by colour
    management)."""

    def __init__(self, browser, png):
        self.browser, self.png, self.rgba = browser, png, None

    def pixel(self, x, y):
        if self.rgba is None:
            self.width, self.rgba = self.browser.run("""
                const bytes = Uint8Array.from(atob(args[0]), (c) => c.charCodeAt(0));
                const bitmap = await createImageBitmap(new Blob([bytes], { type: "image/png" }),
                                                       { colorSpaceConversion: "none" });
                const context = new OffscreenCanvas(bitmap.width, bitmap.height)
                    .getContext("2d", { willReadFrequently: true });
                context.drawImage(bitmap, 0, 0);
                return [bitmap.width, Array.from(context.getImageData(0, 0, bitmap.width, bitmap.height).data)];""",
                                                     base64.b64encode(self.png).decode())
        at = (int(y) * self.width + int(x)) * 4
        return tuple(self.rgba[at:at + 3])

    def save(self, path):
        with open(path, "wb") as file:
            file.write(self.png)
