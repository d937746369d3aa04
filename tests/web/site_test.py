#!/usr/bin/python3
"""The web site as a user meets it, in one browser engine (browser.py): the
form drawn at its own size in the serif face, typed into and clicked, its
result copied out; cleared; the error report and the program going on after
it; the keyboard, Tab from control to control; what a screen reader finds
(the page's elements of the controls, the engine's accessibility tree, the
live region) and what the field's own checker, axe-core, finds against WCAG
2.2 A and AA; a reload with the server gone once the service worker has kept
the files; a phone's screen, 360 CSS pixels wide, tapped; and the page
opened from its folder (file://). What an engine's automation cannot reach
is said, with the reason, and left out.
    site_test.py <chromium|webkit|firefox> <site folder> <Liberation Serif .ttf> <axe.min.js> [screenshot folder]
WebKit and Firefox draw into windows on the X display given (DISPLAY)."""
import base64
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import CONTROLS, FORM_RECT, Server, Unreachable, launch, screenshot, wait_drawn, wait_until  # noqa: E402

ENGINE, SITE, FONT, AXE = sys.argv[1:5]
SHOTS = sys.argv[5] if len(sys.argv) > 5 else None

# The controls' centres, in the form's CSS pixels (their twips over 15).
BOX_A, BOX_B, OUTPUT = (156, 53), (156, 93), (232, 204)
SOLVE, CLEAR = (344, 52), (344, 92)
BACKGROUND = (450, 130)
A_NAME, B_NAME = "коефициент a, разликата X минус Y", "коефициент b, произведението X по Y"
CAPTION = "sistema.example.org Математика - линейна система"
SOLVED_6_16 = "Дискриминанта: 100\nКорените на системата са:\nX = 8\nY = 2\n"
CLEARED = "Полетата са празни и отново могат да се попълват."
REPORT = "Грешка при изпълнение '6':\n\nПрепълване"

# WebDriver's key values.
TAB, ENTER, SHIFT, CONTROL = "\ue004", "\ue007", "\ue008", "\ue009"

unreachable = []


def check(condition, what):
    if not condition:
        raise AssertionError(f"{ENGINE}: {what}")


def cannot(what, why):
    """Says what this engine's automation cannot reach, once."""
    line = f"not reached in {ENGINE}: {what} ({why})"
    if line not in unreachable:
        unreachable.append(line)
        print(line)


def shot(browser, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        scale = 2 if ENGINE == "chromium" else 1
        screenshot(browser, scale).save(os.path.join(SHOTS, f"{ENGINE}-{name}.png"))


# The page's elements of the controls, and the error report while it is
# open: what a screen reader reads, as (role, name, value or description,
# read-only, labelled by a caption), the name as the page gives it.
MIRROR = """
const text = (element) => element.textContent.trim();
const byIds = (ids) => ids.split(' ').map((id) => text(document.getElementById(id))).join(' ');
const name = (element) => {
  const labels = element.getAttribute('aria-labelledby');
  return labels ? byIds(labels) : element.getAttribute('aria-label') ?? text(element);
};
const role = (element) => element.getAttribute('role') ?? (element.tagName === 'BUTTON' ? 'button' : 'textbox');
const value = (element) => element.tagName === 'DIALOG' ? byIds(element.getAttribute('aria-describedby'))
                                                        : element.value;
return [...document.querySelectorAll(args[0])]
  .filter((element) => !element.closest('[hidden]') && element.getAttribute('aria-hidden') !== 'true')
  .map((element) => [role(element), name(element), value(element).replaceAll('\\r', ''),
                     Boolean(element.readOnly), Boolean(element.labels && element.labels.length)]);
"""

# The element that has the browser's focus.
FOCUSED = """
const element = document.activeElement;
return element ? [element.tagName, element.id, element.inputMode || ''] : null;
"""


class Page:
    def __init__(self, browser):
        self.browser = browser

    def origin(self):
        left, top, _, _ = self.browser.run(FORM_RECT)
        return left, top

    def click(self, point):
        left, top = self.origin()
        x, y = round(left + point[0]), round(top + point[1])
        self.browser.actions([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                               "actions": [{"type": "pointerMove", "x": x, "y": y, "origin": "viewport"},
                                           {"type": "pointerDown", "button": 0},
                                           {"type": "pointerUp", "button": 0}]}])
        time.sleep(0.2)

    def key(self, key, *modifiers):
        held = list(modifiers)
        steps = [{"type": "keyDown", "value": k} for k in held + [key]]
        steps += [{"type": "keyUp", "value": k} for k in [key] + held[::-1]]
        self.browser.actions([{"type": "key", "id": "keyboard", "actions": steps}])
        time.sleep(0.1)

    def type(self, text):
        steps = []
        for char in text:
            steps += [{"type": "keyDown", "value": char}, {"type": "keyUp", "value": char}]
        self.browser.actions([{"type": "key", "id": "keyboard", "actions": steps}])
        time.sleep(0.1)

    def select_all(self):
        self.key("a", CONTROL)

    def fill(self, box, text):
        self.click(box)
        self.select_all()
        self.type(text)

    def solve(self, a, b):
        self.fill(BOX_A, a)
        self.fill(BOX_B, b)
        self.click(SOLVE)

    def mirror(self):
        return [tuple(node) for node in self.browser.run(MIRROR, CONTROLS)]

    def node(self, role, name):
        matches = [node for node in self.mirror() if node[:2] == (role, name)]
        check(len(matches) == 1, f"one {role} named {name!r} on the page: {self.mirror()}")
        return matches[0]

    def value(self, role, name):
        return self.node(role, name)[2]

    def output(self):
        return self.value("textbox", "Резултат")

    def focused(self):
        return self.browser.run(FOCUSED)

    def spoken(self):
        return self.browser.run("return document.getElementById('announcements').textContent")

    def copied_output(self):
        self.click(OUTPUT)
        self.select_all()
        self.key("c", CONTROL)
        time.sleep(0.3)
        if self.browser.clipboard_from_page:
            text = self.browser.run("return await navigator.clipboard.readText()")
        else:
            # What the desktop's clipboard holds: the X server's CLIPBOARD selection.
            text = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                                  text=True, timeout=10).stdout
        return text.replace("\r", "")


def serif_width(browser, text):
    """The advance of `text` in Liberation Serif at 12 points (16 CSS pixels),
    measured by the browser's own font engine: what the title must take."""
    with open(FONT, "rb") as file:
        font = base64.b64encode(file.read()).decode()
    return browser.run("""
        const [font, text] = args;
        const face = await new FontFace('Twin', `url(data:font/ttf;base64,${font})`).load();
        document.fonts.add(face);
        const context = document.createElement('canvas').getContext('2d');
        context.font = '16px Twin';
        return context.measureText(text).width;""", font, text)


def ink_extent(picture, top, bottom, left, right):
    """The columns of dark (text) pixels in a band of the form."""
    columns = [x for x in range(left, right) for y in range(top, bottom) if sum(picture.pixel(x, y)) < 200]
    return (min(columns), max(columns)) if columns else (0, -1)


def accessible_names(browser, page):
    """The names, roles and states the engine's own accessibility tree gives,
    where its automation shows it."""
    try:
        for role, name in (("textbox", A_NAME), ("textbox", B_NAME), ("textbox", "Резултат"),
                           ("button", "Въведи"), ("button", "Чисти")):
            check(browser.accessible(role, name) == 1, f"the engine's tree: no {role} named {name!r}")
        if ENGINE == "chromium":
            tree = browser.accessibility_tree()
            for node in page.mirror():
                check(node in tree, f"the engine's tree has not {node}: {tree}")
        return True
    except Unreachable as reason:
        cannot("the engine's own accessibility tree", reason)
        return False


# axe-core's rules for WCAG 2.0, 2.1 and 2.2 at levels A and AA.
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22a", "wcag22aa"]


def axe(browser, state):
    """What axe-core, the field's accessibility checker, finds wrong with
    the page in its state now: nothing, or the test fails."""
    if not browser.run("return typeof axe === 'object'"):
        with open(AXE, encoding="utf-8") as file:
            browser.run(file.read() + "\nwindow.axe = axe;")
    found = browser.run("""
        const result = await axe.run(document, { runOnly: { type: 'tag', values: args[0] },
                                                 resultTypes: ['violations'] });
        return result.violations.map((rule) => `${rule.id} (${rule.impact}): ${rule.help}: ` +
                                               rule.nodes.map((node) => node.target.join(' ')).join(', '));""",
                        AXE_TAGS)
    check(found == [], f"axe-core finds, {state}: {found}")
    print(f"ok: axe-core {browser.run('return axe.version')} finds nothing against WCAG 2.2 A and AA, {state}")


def desktop(built):
    site = tempfile.mkdtemp()  # a copy, to put a new version of in its place
    shutil.copytree(built, site, dirs_exist_ok=True)
    server = Server(site)
    browser = launch(ENGINE)
    try:
        if ENGINE == "chromium":
            browser.cdp("Browser.grantPermissions", origin=server.url.rstrip("/"),
                        permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
            browser.cdp("Accessibility.enable")
        started = time.monotonic()
        browser.open(server.url)
        wait_drawn(browser)
        drawn = browser.run("return performance.now()")
        print(f"{ENGINE} {browser.version}: the form drawn {drawn:.0f} ms after navigation"
              f" ({(time.monotonic() - started) * 1000:.0f} ms as the test saw it)")
        page = Page(browser)
        shot(browser, "1-opened")

        # The page: Bulgarian, the caption as its title; the form at its
        # own size, centred, drawn with its colours, in the serif face.
        check(browser.run("return document.documentElement.lang") == "bg", "lang")
        title = browser.run("return document.title")
        check(title == CAPTION, f"title: {title}")
        left, top, width, height = browser.run(FORM_RECT)
        inner = browser.run("return [innerWidth, innerHeight]")
        check((width, height) == (461, 275), f"form size {width} x {height}")
        check(abs(left - (inner[0] - width) / 2) <= 1 and abs(top - (inner[1] - height) / 2) <= 1,
              f"centred: {left}, {top} in {inner}")
        check(left == int(left) and top == int(top), f"on whole pixels: {left}, {top}")
        picture = screenshot(browser)
        for point, colour, what in (((20, 10), (192, 192, 255), "form"), ((66, 12), (255, 192, 128), "title"),
                                    ((276, 52), (128, 255, 128), "Въведи"), ((276, 92), (255, 0, 0), "Чисти")):
            check(picture.pixel(*point) == colour, f"{what} at {point}: {picture.pixel(*point)}")
        caption = "Математика - система от 2 уравнения"
        first, last = ink_extent(picture, 2, 24, 64, 369)
        expected = serif_width(browser, caption)
        # The ink is a little narrower than the advance, which engines also
        # round differently; another face would be tens of pixels off.
        check(abs((last - first + 1) - expected) <= 6, f"title {last - first + 1} px wide, in the serif {expected:.1f}")
        print(f"ok: the form, 461 x 275, centred, its colours, the title in the serif"
              f" ({last - first + 1} px; its advance {expected:.1f})")

        # What a screen reader finds, before anything is done.
        check(page.node("textbox", A_NAME)[2:] == ("6", False, True), f"box a: {page.node('textbox', A_NAME)}")
        check(page.node("textbox", B_NAME)[2:] == ("16", False, True), f"box b: {page.node('textbox', B_NAME)}")
        output = page.node("textbox", "Резултат")
        check(output[2].startswith("Да се реализира проект") and output[3], f"output box: {output}")
        for name in ("Въведи", "Чисти"):
            page.node("button", name)
        tree = accessible_names(browser, page)
        print("ok: named boxes (labelled) and buttons, the output box read-only"
              + (", in the engine's accessibility tree too" if tree else ""))
        axe(browser, "at start")

        # The focus starts on the output box, and so does the browser's, on
        # its element: Tab goes on to box a.
        check(page.focused()[1].endswith("Text1_0"), f"the browser's focus at start: {page.focused()}")
        page.click(BACKGROUND)
        page.key(TAB)
        check(page.focused()[1].endswith("Text2_0"), f"the browser's focus after Tab: {page.focused()}")
        page.type("2")
        check(page.value("textbox", A_NAME) == "2", f"Tab at start: box a has {page.value('textbox', A_NAME)!r}")

        # Typed in and solved; locked; spoken; copied out.
        page.solve("6", "16")
        shot(browser, "2-solved")
        check(page.output() == SOLVED_6_16, f"result: {page.output()!r}")
        check(page.node("textbox", A_NAME)[3] and page.node("textbox", B_NAME)[3], "locked boxes read-only")
        check(page.spoken() == "Дискриминанта: 100. Корените на системата са: X = 8. Y = 2.",
              f"spoken: {page.spoken()!r}")
        axe(browser, "solved, the boxes locked")
        copied = page.copied_output()
        check(copied.rstrip("\n") == SOLVED_6_16.rstrip("\n"), f"copied output: {copied!r}")
        page.click(BOX_A)
        page.type("9")
        check(page.value("textbox", A_NAME) == "6", f"typing into a locked box: {page.node('textbox', A_NAME)}")
        print("ok: 6 and 16 solved, locked, spoken, copied with Ctrl+A, Ctrl+C")

        page.click(CLEAR)
        check(page.node("textbox", A_NAME)[2:4] == ("", False), "box a cleared and unlocked")
        check(page.output() == "" and page.spoken() == CLEARED, "cleared")
        # As a screen reader works the page: through the boxes' and buttons' own elements.
        browser.run("""
            for (const [index, value] of [[0, '6'], [1, '16']]) {
                const box = document.getElementById(`Text2_${index}`);
                box.value = value;
                box.dispatchEvent(new Event('input'));
            }
            [...document.querySelectorAll('#form button')].find(b => b.textContent === 'Въведи').click();""")
        time.sleep(0.3)
        check(page.output() == SOLVED_6_16, "solved through the elements a screen reader uses")
        page.click(CLEAR)
        page.solve("1", "-1")
        check(page.output() == "Дискриминанта: -3\nКорените на системата са комплексни!\n", "complex roots")
        page.click(CLEAR)
        page.solve("1,5", "2.5")
        check(page.output().endswith("X = 2,5\nY = 1\n"), "decimal comma and point")
        print("ok: cleared, solved as a screen reader does, complex roots, 1,5 and 2.5")

        # The error report over the form; OK, and the program goes on.
        page.click(CLEAR)
        page.solve("1e200", "1")
        time.sleep(0.5)
        shot(browser, "3-error")
        # Read out as it appears, titled with the caption, its button in Bulgarian, which has the focus.
        check(("alertdialog", CAPTION, REPORT, False, False) in page.mirror(), f"the report: {page.mirror()}")
        page.node("button", "Добре")
        check(page.focused()[0] == "BUTTON", f"the browser's focus on the report: {page.focused()}")
        axe(browser, "with the error report open")
        page.key(ENTER)
        time.sleep(0.5)
        check(not page.node("textbox", A_NAME)[3], "not locked after the error")
        page.click(CLEAR)
        page.solve("6", "16")
        check(page.output() == SOLVED_6_16, "solved after the error")
        print("ok: 1e200 reported, the program goes on")

        # The keyboard: Tab from the output box to a, b, "Въведи", "Чисти",
        # the browser's focus on each control's element; Space and Enter
        # press the focused button; Shift+Tab goes back.
        page.click(CLEAR)
        page.click(OUTPUT)
        page.key(TAB)
        page.type("2")
        page.key(TAB)
        page.type("-1")
        page.key(TAB)
        check(page.focused()[:2] == ["BUTTON", page.focused()[1]] and page.focused()[1].endswith("Command1_0"),
              f"the browser's focus on Въведи: {page.focused()}")
        page.key(" ")
        check(page.output().endswith("X = 1\nY = -1\n"), "Tab, Tab, Tab, Space")
        page.key(TAB)
        page.key(ENTER)
        check(page.output() == "", "Tab, Enter on Чисти")
        page.key(TAB, SHIFT)
        page.key(TAB, SHIFT)
        check(page.focused()[1].endswith("Text2_1"), f"Shift+Tab, Shift+Tab: {page.focused()}")
        # A screen reader moving the focus onto a box: typed into.
        browser.run("document.getElementById('Text2_0').focus()")
        page.type("7")
        check(page.value("textbox", A_NAME) == "7", f"typed after the element took the focus: {page.mirror()}")
        print("ok: Tab and Shift+Tab order with the browser's focus along, Space and Enter on the buttons")

        service_worker(browser, server, site)
    finally:
        browser.quit()


def service_worker(browser, server, site):
    """A new version of the site taken in at the next visit, shown at the one
    after; then the site offline."""
    if not browser.run("return 'serviceWorker' in navigator && navigator.serviceWorker.controller !== undefined"):
        cannot("the service worker (a new version, offline)", "no service workers in this automation")
        return
    try:
        wait_until(lambda: browser.run("return navigator.serviceWorker.controller !== null"), 30,
                   "the service worker")
    except AssertionError:
        cannot("the service worker (a new version, offline)", "the page gets no service worker in this automation")
        return
    for name, old, new in (("index.html", "</main>", "<p>a new version</p></main>"),
                           ("sw.js", r'"sistema-[0-9a-f]+"', '"sistema-new"')):
        with open(os.path.join(site, name), encoding="utf-8") as file:
            text = file.read()
        with open(os.path.join(site, name), "w", encoding="utf-8") as file:
            file.write(re.sub(old, new, text))
    browser.reload()
    wait_until(lambda: browser.run("return await caches.keys()") == ["sistema-new"],
               what="the new version to be kept")
    browser.reload()
    wait_drawn(browser)
    check("a new version" in browser.run("return document.body.innerHTML"), "the new version shown at the next visit")
    print("ok: a new version of the site kept at the next visit and shown at the one after")

    wait_until(lambda: browser.run("return navigator.serviceWorker.controller !== null"), what="the service worker")
    if ENGINE == "chromium":
        errors = browser.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
        check(errors == [], f"a browser would not offer to install it: {errors}")
    else:
        cannot("whether it would offer to install the site", "only Chromium's automation tells why it would not")
    server.stop()
    browser.reload()
    wait_drawn(browser)
    page = Page(browser)
    page.solve("6", "16")
    check(page.output() == SOLVED_6_16, "solved offline")
    print("ok: reloaded and solved with the server gone")


def without(site):
    """Where the browser cannot run the program (scripts off; no WebAssembly,
    as in Safari's Lockdown Mode), the page says why, in Bulgarian."""
    server = Server(site)
    for what, message in (("scripts", "Програмата работи с JavaScript"),
                          ("WebAssembly", "тя е написана за WebAssembly")):
        options = {}
        if ENGINE == "firefox":
            options = {"preferences": {"javascript.enabled": False} if what == "scripts"
                       else {"javascript.options.wasm": False}}
        elif ENGINE == "webkit":
            if what == "WebAssembly":
                cannot("the page without WebAssembly", "WebKitGTK has no setting that turns it off, as Safari's"
                                                       " Lockdown Mode does")
                continue
            options = {"settings": ["--enable-javascript=false"]}
        browser = launch(ENGINE, **options)
        try:
            if ENGINE == "chromium":
                if what == "scripts":
                    browser.cdp("Emulation.setScriptExecutionDisabled", value=True)
                else:
                    browser.cdp("Page.addScriptToEvaluateOnNewDocument", source="delete window.WebAssembly")
            browser.open(server.url)
            time.sleep(0.5)
            check(browser.shows(message), f"without {what} the page does not say {message!r}")
        finally:
            browser.quit()
    server.stop()
    print("ok: without scripts" + (" or WebAssembly" if ENGINE != "webkit" else "") + " the page says so")


def phone(site):
    if ENGINE != "chromium":
        cannot("a phone's screen, touched", {
            "webkit": "WebKitGTK, a desktop port, lays no page out by its viewport as Safari on a phone does,"
                      " and its automation sends no touches",
            "firefox": "Firefox's desktop build lays a page out by its viewport only in its responsive design"
                       " mode, and WebDriver BiDi's setViewport to 360 pixels does not return here"}[ENGINE])
        return
    server = Server(site)
    browser = launch(ENGINE)
    try:
        browser.cdp("Emulation.setDeviceMetricsOverride", width=360, height=740, deviceScaleFactor=3, mobile=True)
        browser.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        browser.open(server.url)
        wait_drawn(browser)
        shot(browser, "4-phone")
        page = Page(browser)
        scale, visible, scrolled = browser.run(
            "return [visualViewport.scale, visualViewport.width, document.documentElement.scrollWidth]")
        left, top, width, _ = browser.run(FORM_RECT)
        check(left >= 0 and left + width <= visible and scrolled <= visible + 1,
              f"the whole form visible: form {left}..{left + width}, viewport {visible}, page {scrolled}")
        # Made smaller to fit, not laid out anew: the page is not zoomed out.
        check(scale == 1 and width >= visible * 0.9, f"the form fills the screen's width: {width} of {visible}")
        zoom = width / 461

        def tap(point):  # at the form's own pixels, made smaller with it
            x, y = left + point[0] * zoom, top + point[1] * zoom
            for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
                browser.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=points)
            time.sleep(0.3)

        tap(BOX_A)
        focused = page.focused()
        check(focused[0] in ("INPUT", "TEXTAREA") and focused[2] != "none", f"keyboard for a tapped box: {focused}")
        page.select_all()
        browser.cdp("Input.insertText", text="2")
        check(page.value("textbox", A_NAME) == "2", f"typed on the screen keyboard: {page.value('textbox', A_NAME)}")
        tap(SOLVE)
        check(page.output().startswith("Дискриминанта: 68"), "tapped Въведи")
        print(f"ok: on a phone, 360 pixels wide: the whole form at {zoom:.2f} of its size, tapped, typed, solved")
    finally:
        browser.quit()
        server.stop()


def from_folder(site):
    """The page opened from its folder, as a teacher double-clicks it, with
    no server: the same page, the whole program in it."""
    url = "file://" + os.path.abspath(site) + "/index.html"
    browser = launch(ENGINE)
    try:
        started = time.monotonic()
        browser.open(url)
        wait_drawn(browser)
        drawn = browser.run("return performance.now()")
        shot(browser, "5-from-folder")
        page = Page(browser)
        check(browser.run("return document.title") == CAPTION, "the title from a folder")
        page.click(SOLVE)
        check(page.output() == SOLVED_6_16, f"solved from a folder: {page.output()!r}")
        page.click(CLEAR)
        page.solve("1e200", "1")
        time.sleep(0.5)
        check(("alertdialog", CAPTION, REPORT, False, False) in page.mirror(), f"the report from a folder: {page.mirror()}")
        page.key(ENTER)
        print(f"ok: from a folder: index.html drawn {drawn:.0f} ms after navigation"
              f" ({(time.monotonic() - started) * 1000:.0f} ms as the test saw it), solved 6 and 16, reported 1e200")
    finally:
        browser.quit()


if ENGINE in ("webkit", "firefox") and not os.environ.get("DISPLAY"):
    sys.exit(f"{ENGINE} needs an X display (DISPLAY)")
desktop(SITE)
without(SITE)
phone(SITE)
from_folder(SITE)
if unreachable:
    print(f"{len(unreachable)} checks not reached in {ENGINE}, as said above")
