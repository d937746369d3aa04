#!/usr/bin/python3
"""The web site as a user meets it, in Chromium: the form drawn at its own
size in the serif face, typed into and clicked, its result copied out;
cleared; the error report and the program going on after it; the keyboard;
what a screen reader finds (the accessibility tree, the live region); a
reload with the server gone once the service worker has kept the files; a
phone's screen, 360 CSS pixels wide, tapped.
    site_test.py <site folder> <Liberation Serif .ttf> [screenshot folder]"""
import base64
import os
import re
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import FORM_RECT, Server, cdp, chromium, screenshot, wait_drawn, wait_until  # noqa: E402

SITE, FONT = sys.argv[1], sys.argv[2]
SHOTS = sys.argv[3] if len(sys.argv) > 3 else None

# The controls' centres, in the form's CSS pixels (their twips over 15).
BOX_A, BOX_B, OUTPUT = (156, 53), (156, 93), (232, 204)
SOLVE, CLEAR = (344, 52), (344, 92)
BACKGROUND = (450, 130)
A_NAME, B_NAME = "коефициент a, разликата X минус Y", "коефициент b, произведението X по Y"
SOLVED_6_16 = "Дискриминанта: 100\nКорените на системата са:\nX = 8\nY = 2\n"
CLEARED = "Полетата са празни и отново могат да се попълват."


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def shot(driver, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        screenshot(driver, scale=2).save(os.path.join(SHOTS, name + ".png"))


class Page:
    def __init__(self, driver):
        self.driver = driver

    def origin(self):
        left, top, _, _ = self.driver.execute_script(FORM_RECT)
        return left, top

    def click(self, point):
        left, top = self.origin()
        x, y = left + point[0], top + point[1]
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            cdp(self.driver, "Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
        time.sleep(0.2)

    def key(self, key, code, vk, modifiers=0):
        for kind in ("rawKeyDown", "keyUp"):
            cdp(self.driver, "Input.dispatchKeyEvent", type=kind, key=key, code=code,
                windowsVirtualKeyCode=vk, modifiers=modifiers)
        time.sleep(0.1)

    def type(self, text):
        for char in text:
            code = {"-": "Minus", ",": "Comma", ".": "Period"}.get(char) or \
                ("Digit" + char if char.isdigit() else "Key" + char.upper())
            cdp(self.driver, "Input.dispatchKeyEvent", type="keyDown", key=char, code=code, text=char)
            cdp(self.driver, "Input.dispatchKeyEvent", type="keyUp", key=char, code=code)
        time.sleep(0.1)

    def select_all(self):
        self.key("a", "KeyA", 65, modifiers=2)

    def fill(self, box, text):
        self.click(box)
        self.select_all()
        self.type(text)

    def solve(self, a, b):
        self.fill(BOX_A, a)
        self.fill(BOX_B, b)
        self.click(SOLVE)

    def ax(self):
        """What a screen reader finds: the page's accessibility tree, as
        (role, name, value, read-only, labelled by another element)."""
        nodes = cdp(self.driver, "Accessibility.getFullAXTree")["nodes"]
        found = []
        for node in nodes:
            if node.get("ignored"):
                continue
            get = lambda key: (node.get(key) or {}).get("value", "")  # noqa: E731
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            sources = (node.get("name") or {}).get("sources", [])
            labelled = any(s.get("attribute") == "aria-labelledby" and "value" in s for s in sources)
            found.append((get("role"), get("name"), str(get("value")).replace("\r", ""),
                          bool(properties.get("readonly")), labelled))
        return found

    def ax_node(self, role, name):
        matches = [node for node in self.ax() if node[0] == role and node[1] == name]
        check(len(matches) == 1, f"one {role} named {name!r} in the accessibility tree: {self.ax()}")
        return matches[0]

    def value(self, role, name):
        return self.ax_node(role, name)[2]

    def spoken(self):
        return self.driver.execute_script("return document.getElementById('announcements').textContent")

    def copied_output(self):
        self.click(OUTPUT)
        self.select_all()
        self.key("c", "KeyC", 67, modifiers=2)
        time.sleep(0.3)
        text = self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], e => arguments[0]('error: ' + e))")
        return text.replace("\r", "")


def serif_width(driver, text):
    """The advance of `text` in Liberation Serif at 12 points (16 CSS pixels),
    measured by the browser's own font engine: what the title must take."""
    with open(FONT, "rb") as file:
        font = base64.b64encode(file.read()).decode()
    return driver.execute_async_script("""
        const [font, text, done] = arguments;
        new FontFace('Twin', `url(data:font/ttf;base64,${font})`).load().then(face => {
            document.fonts.add(face);
            const context = document.createElement('canvas').getContext('2d');
            context.font = '16px Twin';
            done(context.measureText(text).width);
        });""", font, text)


def ink_extent(picture, top, bottom, left, right):
    """The columns of dark (text) pixels in a band of the form."""
    columns = [x for x in range(left, right) for y in range(top, bottom) if sum(picture.pixel(x, y)) < 200]
    return (min(columns), max(columns)) if columns else (0, -1)


def desktop(built):
    site = tempfile.mkdtemp()  # a copy, to put a new version of in its place
    shutil.copytree(built, site, dirs_exist_ok=True)
    server = Server(site)
    driver = chromium()
    try:
        cdp(driver, "Browser.grantPermissions", origin=server.url.rstrip("/"),
            permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        cdp(driver, "Accessibility.enable")
        driver.get(server.url)
        wait_drawn(driver)
        page = Page(driver)
        shot(driver, "1-opened")

        # The page: Bulgarian, the caption as its title; the form at its
        # own size, centred, drawn with its colours, in the serif face.
        check(driver.execute_script("return document.documentElement.lang") == "bg", "lang")
        check(driver.title == "sistema.example.org Математика - линейна система", f"title: {driver.title}")
        left, top, width, height = driver.execute_script(FORM_RECT)
        inner = driver.execute_script("return [innerWidth, innerHeight]")
        check((width, height) == (461, 275), f"form size {width} x {height}")
        check(abs(left - (inner[0] - width) / 2) <= 1 and abs(top - (inner[1] - height) / 2) <= 1, "centred")
        picture = screenshot(driver)
        for point, colour, what in (((20, 10), (192, 192, 255), "form"), ((66, 12), (255, 192, 128), "title"),
                                    ((276, 52), (128, 255, 128), "Въведи"), ((276, 92), (255, 0, 0), "Чисти")):
            check(picture.pixel(*point) == colour, f"{what} at {point}: {picture.pixel(*point)}")
        title = "Математика - система от 2 уравнения"
        first, last = ink_extent(picture, 2, 24, 64, 369)
        expected = serif_width(driver, title)
        check(abs((last - first + 1) - expected) <= 4, f"title {last - first + 1} px wide, in the serif {expected:.1f}")
        print(f"ok: the form, 461 x 275, centred, its colours, the title in the serif ({last - first + 1} px)")

        # What a screen reader finds, before anything is done.
        check(page.ax_node("textbox", A_NAME)[2:] == ("6", False, True), f"box a: {page.ax_node('textbox', A_NAME)}")
        check(page.ax_node("textbox", B_NAME)[2:] == ("16", False, True), f"box b: {page.ax_node('textbox', B_NAME)}")
        output = page.ax_node("textbox", "Резултат")
        check(output[2].startswith("Да се реализира проект") and output[3], f"output box: {output}")
        for name in ("Въведи", "Чисти"):
            page.ax_node("button", name)
        check(not any("Enable Screen Reader" in node[1] for node in page.ax()), "an English button")
        print("ok: named boxes (labelled) and buttons, the output box read-only")

        # The focus starts on the output box: Tab goes on to box a.
        page.click(BACKGROUND)
        page.key("Tab", "Tab", 9)
        page.type("2")
        check(page.value("textbox", A_NAME) == "2", f"Tab at start: box a has {page.value('textbox', A_NAME)!r}")

        # Typed in and solved; locked; spoken; copied out.
        page.solve("6", "16")
        shot(driver, "2-solved")
        check(page.value("textbox", "Резултат") == SOLVED_6_16, f"result: {page.value('textbox', 'Резултат')!r}")
        check(page.ax_node("textbox", A_NAME)[3] and page.ax_node("textbox", B_NAME)[3], "locked boxes read-only")
        check(page.spoken() == "Дискриминанта: 100. Корените на системата са: X = 8. Y = 2.",
              f"spoken: {page.spoken()!r}")
        copied = page.copied_output()
        check(copied == SOLVED_6_16, f"copied output: {copied!r}")
        page.click(BOX_A)
        page.type("9")
        check(page.value("textbox", A_NAME) == "6", f"typing into a locked box: {page.ax_node('textbox', A_NAME)}")
        print("ok: 6 and 16 solved, locked, spoken, copied with Ctrl+A, Ctrl+C")

        page.click(CLEAR)
        check(page.ax_node("textbox", A_NAME)[2:4] == ("", False), "box a cleared and unlocked")
        check(page.value("textbox", "Резултат") == "" and page.spoken() == CLEARED, "cleared")
        # As a screen reader works the page: through the boxes' and buttons' own elements.
        page.driver.execute_script("""
            const root = document.querySelector('#form #qt-shadow-container').shadowRoot;
            const box = (index) => root.querySelector(`input[id$="Text2_${index}"]`);
            for (const [index, value] of [[0, '6'], [1, '16']]) {
                box(index).value = value;
                box(index).dispatchEvent(new Event('input'));
            }
            [...root.querySelectorAll('button')].find(b => b.textContent === 'Въведи').click();""")
        time.sleep(0.3)
        check(page.value("textbox", "Резултат") == SOLVED_6_16, "solved through the elements a screen reader uses")
        page.click(CLEAR)
        page.solve("1", "-1")
        check(page.value("textbox", "Резултат") == "Дискриминанта: -3\nКорените на системата са комплексни!\n",
              "complex roots")
        page.click(CLEAR)
        page.solve("1,5", "2.5")
        check(page.value("textbox", "Резултат").endswith("X = 2,5\nY = 1\n"), "decimal comma and point")
        print("ok: cleared, solved as a screen reader does, complex roots, 1,5 and 2.5")

        # The error report over the form; OK, and the program goes on.
        page.click(CLEAR)
        page.solve("1e200", "1")
        time.sleep(0.5)
        shot(driver, "3-error")
        # Read out as it appears, with Qt's own button in Bulgarian.
        alert = page.driver.execute_script(
            "return document.querySelector('#form #qt-shadow-container').shadowRoot"
            ".querySelector('[role=alert]').textContent")
        check(alert == "Грешка при изпълнение '6':\n\nПрепълване", f"the report: {alert!r}")
        check(any(node[0] == "alert" for node in page.ax()), "the report is no alert")
        page.ax_node("button", "Добре")
        page.key("Enter", "Enter", 13)
        time.sleep(0.5)
        check(not page.ax_node("textbox", A_NAME)[3], "not locked after the error")
        page.click(CLEAR)
        page.solve("6", "16")
        check(page.value("textbox", "Резултат") == SOLVED_6_16, "solved after the error")
        print("ok: 1e200 reported, the program goes on")

        # The keyboard: Tab from the output box to a, b, "Въведи", "Чисти";
        # Space and Enter press the focused button.
        page.click(CLEAR)
        page.click(OUTPUT)
        page.key("Tab", "Tab", 9)
        page.type("2")
        page.key("Tab", "Tab", 9)
        page.type("-1")
        page.key("Tab", "Tab", 9)
        page.key(" ", "Space", 32)
        check(page.value("textbox", "Резултат").endswith("X = 1\nY = -1\n"), "Tab, Tab, Tab, Space")
        page.key("Tab", "Tab", 9)
        page.key("Enter", "Enter", 13)
        check(page.value("textbox", "Резултат") == "", "Tab, Enter on Чисти")
        print("ok: Tab order, Space and Enter on the buttons")

        # A new version of the site: taken in full at the next visit, shown at the one after.
        for name, old, new in (("index.html", "</main>", "<p>a new version</p></main>"),
                               ("sw.js", r'"sistema-[0-9a-f]+"', '"sistema-new"')):
            with open(os.path.join(site, name), encoding="utf-8") as file:
                text = file.read()
            with open(os.path.join(site, name), "w", encoding="utf-8") as file:
                file.write(re.sub(old, new, text))
        driver.refresh()
        wait_until(lambda: driver.execute_async_script("caches.keys().then(arguments[0])") == ["sistema-new"],
                   what="the new version to be kept")
        driver.refresh()
        wait_drawn(driver)
        check("a new version" in driver.page_source, "the new version shown at the next visit")
        print("ok: a new version of the site kept at the next visit and shown at the one after")

        # Offline: the service worker has kept the site; the server goes.
        wait_until(lambda: driver.execute_script("return navigator.serviceWorker.controller !== null"),
                   what="the service worker")
        errors = cdp(driver, "Page.getInstallabilityErrors")["installabilityErrors"]
        check(errors == [], f"a browser would not offer to install it: {errors}")
        server.stop()
        driver.refresh()
        wait_drawn(driver)
        Page(driver).solve("6", "16")
        check(Page(driver).value("textbox", "Резултат") == SOLVED_6_16, "solved offline")
        print("ok: reloaded and solved with the server gone")
    finally:
        driver.quit()


def without(site):
    """Where the browser cannot run the program (scripts off; no WebAssembly,
    as in Safari's Lockdown Mode), the page says why, in Bulgarian."""
    server = Server(site)
    for what, message in (("scripts", "Програмата работи с JavaScript"),
                          ("WebAssembly", "тя е написана за WebAssembly")):
        driver = chromium()
        try:
            if what == "scripts":
                cdp(driver, "Emulation.setScriptExecutionDisabled", value=True)
            else:
                cdp(driver, "Page.addScriptToEvaluateOnNewDocument", source="delete window.WebAssembly")
            driver.get(server.url)
            time.sleep(0.5)
            shown = driver.execute_script("return document.body.innerText") if what != "scripts" else \
                cdp(driver, "Runtime.evaluate", expression="document.body.innerText")["result"]["value"]
            check(message in shown, f"without {what} the page says: {shown!r}")
        finally:
            driver.quit()
    server.stop()
    print("ok: without scripts or WebAssembly the page says so")


def phone(site):
    server = Server(site)
    driver = chromium()
    try:
        cdp(driver, "Emulation.setDeviceMetricsOverride", width=360, height=740, deviceScaleFactor=3, mobile=True)
        cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        cdp(driver, "Accessibility.enable")
        driver.get(server.url)
        wait_drawn(driver)
        shot(driver, "4-phone")
        page = Page(driver)
        scale, visible, scrolled = driver.execute_script(
            "return [visualViewport.scale, visualViewport.width, document.documentElement.scrollWidth]")
        left, top, width, _ = driver.execute_script(FORM_RECT)
        check(left >= 0 and left + width <= visible and scrolled <= visible + 1,
              f"the whole form visible: form {left}..{left + width}, viewport {visible}, page {scrolled}")
        canvas = driver.execute_script(
            "return document.querySelector('#form #qt-shadow-container').shadowRoot.querySelector('canvas').width")
        # As many of the canvas's pixels as the screen has under it: sharp.
        check(canvas >= int(461 * scale * 3), f"drawn at the screen's density: {canvas} pixels wide at {scale}")

        def tap(point):  # at the page's CSS pixels, whatever the zoom
            x, y = left + point[0], top + point[1]
            for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
                cdp(driver, "Input.dispatchTouchEvent", type=kind, touchPoints=points)
            time.sleep(0.3)

        tap(BOX_A)
        focused = driver.execute_script("""
            let element = document.activeElement;
            while (element && element.shadowRoot && element.shadowRoot.activeElement)
                element = element.shadowRoot.activeElement;
            return [element.tagName, element.inputMode || ''];""")
        check(focused[0] in ("INPUT", "TEXTAREA") and focused[1] != "none", f"keyboard for a tapped box: {focused}")
        page.select_all()
        cdp(driver, "Input.insertText", text="2")
        check(page.value("textbox", A_NAME) == "2", f"typed on the screen keyboard: {page.value('textbox', A_NAME)}")
        tap(SOLVE)
        check(page.value("textbox", "Резултат").startswith("Дискриминанта: 68"), "tapped Въведи")
        print(f"ok: on a phone, 360 pixels wide: the whole form at {scale:.2f}, tapped, typed, solved")
    finally:
        driver.quit()
        server.stop()


desktop(SITE)
without(SITE)
phone(SITE)
