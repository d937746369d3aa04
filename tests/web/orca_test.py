#!/usr/bin/python3
"""What the Orca screen reader says of the site in Firefox, which serves
AT-SPI itself: the keyboard does what a blind user would do (Tab through the
form, Space on "Въведи", Shift+Tab back to a locked box, a number too large
and the error report it opens), and Orca's own log of its speech is read
after each step. Runs inside the X display and the
D-Bus session orca_test.sh makes.
    orca_test.py <site folder> <log folder>"""
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Firefox, Server, wait_drawn, wait_until  # noqa: E402

SITE, LOGS = sys.argv[1], sys.argv[2]
ORCA_LOG = os.path.join(LOGS, "orca.log")
failures = []


def check(ok, what):
    print(("ok      " if ok else "FAILED  ") + what, flush=True)
    if not ok:
        failures.append(what)


def speech():
    """Everything Orca has said so far, one utterance a line."""
    try:
        with open(ORCA_LOG, encoding="utf-8", errors="replace") as log:
            # 'text' {...}, the text over several lines where it has line
            # breaks (continued with blanks), and quotes of its own.
            return [" ".join(part.split()) for part in
                    re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", log.read(), re.DOTALL)]
    except FileNotFoundError:
        return []


def says(key, *expected, wait=6):
    """Presses `key` (an xdotool key name) and gives back what Orca says
    after it, once it has said all of `expected` (or the time is up)."""
    before = len(speech())
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    end = time.monotonic() + wait
    while time.monotonic() < end:
        said = " | ".join(speech()[before:])
        if all(part in said for part in expected):
            break
        time.sleep(0.2)
    time.sleep(0.5)  # what Orca adds to the same event
    return " | ".join(speech()[before:])


def main():
    orca = subprocess.Popen(["orca", "--replace", f"--debug-file={ORCA_LOG}"],
                            stdout=open(os.path.join(LOGS, "orca.out"), "w"), stderr=subprocess.STDOUT)
    server = Server(SITE)
    browser = None
    try:
        wait_until(lambda: any("Screen reader on" in line or "Екранният четец" in line for line in speech()) or
                   len(speech()) > 0, 30, "Orca to start")
        # Firefox serves AT-SPI where the desktop asks for accessibility.
        browser = Firefox(environment={"GNOME_ACCESSIBILITY": "1"})
        browser.open(server.url)
        wait_drawn(browser)
        time.sleep(2)  # Orca takes in the new document

        said = says("Tab", "коефициент a")
        check("коефициент a, разликата X минус Y" in said, f"Tab to box a: its name ({said!r})")
        said = says("Tab", "коефициент b")
        check("коефициент b, произведението X по Y" in said, f"Tab to box b: its name ({said!r})")
        said = says("Tab", "Въведи")
        check("Въведи" in said, f"Tab to the button: its name ({said!r})")
        said = says("space", "Дискриминанта", wait=10)
        check("Дискриминанта: 100. Корените на системата са: X = 8. Y = 2." in said,
              f"Space on Въведи: the result, from the live region ({said!r})")
        said = says("shift+Tab", "коефициент b")
        check("коефициент b" in said and re.search(r"read only|само за четене", said) is not None,
              f"Shift+Tab to the locked box b: read-only ({said!r})")
        said = says("Tab", "Въведи")
        said = says("Tab", "Чисти")
        check("Чисти" in said, f"Tab to Чисти ({said!r})")
        said = says("Return", "Полетата са празни", wait=10)
        check("Полетата са празни и отново могат да се попълват." in said, f"Enter on Чисти: spoken ({said!r})")

        # The error report, spoken as it opens: 1e200 in box a, then Въведи.
        for _ in range(3):
            says("shift+Tab", wait=1)
        subprocess.run(["xdotool", "type", "--delay", "50", "1e200"], check=True)
        says("Tab", wait=1)
        says("Tab", "Въведи")
        said = says("space", "Препълване", wait=10)
        check("Грешка при изпълнение '6': Препълване" in said, f"Space on Въведи with 1e200: the report ({said!r})")
        # The focus is on the report's button (Orca does not say so): Enter
        # closes it, and the focus is back on "Въведи".
        said = says("Return", "Въведи")
        check("Въведи" in said, f"Enter on Добре: the report closed, the focus back on the button ({said!r})")
    finally:
        if browser:
            browser.quit()
        server.stop()
        orca.terminate()
        try:
            orca.wait(10)
        except subprocess.TimeoutExpired:
            orca.kill()
    print(f"{len(failures)} failed (Orca's log: {ORCA_LOG})" if failures else "all passed")
    return 1 if failures else 0


sys.exit(main())
