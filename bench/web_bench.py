#!/usr/bin/python3
"""The web site against a bare Qt window (one label) built for the web the
same way: what a first visit downloads, compressed (gzip -9, as a server
that compresses sends it) and not; and the time from navigation until the
form is drawn, in headless Chromium, on a first visit (nothing kept) and on
a repeat visit (the service worker's files), alternating between the two
sites. Medians, and their ratios. And the size of the single-file page.
    web_bench.py <site> <bare window's site> [visits of each]"""
import gzip
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser import DRAWN, Server, cdp, chromium, wait_until  # noqa: E402

SITE, BARE = sys.argv[1], sys.argv[2]
VISITS = int(sys.argv[3]) if len(sys.argv) > 3 else 10

# Notes the moment of the first animation frame after the form is drawn,
# in milliseconds since navigation began.
PROBE = """
(function poll() {
  const drawn = (() => { %s })();
  if (drawn) requestAnimationFrame(() => { window.drawnAt = performance.now(); });
  else requestAnimationFrame(poll);
})();
""" % DRAWN


def packed_size(path):
    with open(path, "rb") as file:
        data = file.read()
    return len(data), len(gzip.compress(data, 9, mtime=0))


def sizes(site):
    """Every file of the site, as the service worker fetches them all: all
    but the single-file page, which is a download of its own."""
    raw = packed = 0
    rows = []
    for folder, _, files in os.walk(site):
        for name in files:
            if name.endswith(".html") and name != "index.html" and folder == site:
                continue
            rows.append((os.path.relpath(os.path.join(folder, name), site),
                         *packed_size(os.path.join(folder, name))))
            raw += rows[-1][1]
            packed += rows[-1][2]
    return raw, packed, sorted(rows, key=lambda row: -row[2])


def visit(driver, url):
    driver.get(url)
    return wait_until(lambda: driver.execute_script("return window.drawnAt"), 60, "the drawn form")


def main():
    site_raw, site_packed, rows = sizes(SITE)
    bare_raw, bare_packed, _ = sizes(BARE)
    print("== What a first visit downloads (every file of the site)")
    for name, raw, packed in rows:
        print(f"  {name:32} {raw / 1e3:9.1f} kB  gzip -9 {packed / 1e3:9.1f} kB")
    print(f"  site: {site_raw / 1e6:.2f} MB, {site_packed / 1e6:.2f} MB compressed;"
          f" bare window's: {bare_raw / 1e6:.2f} MB, {bare_packed / 1e6:.2f} MB compressed;"
          f" ratio {site_packed / bare_packed:.3f} compressed, {site_raw / bare_raw:.3f} not")
    single_raw, single_packed = packed_size(os.path.join(SITE, "sistema.html"))
    print(f"== The single-file page, not part of a visit: sistema.html {single_raw / 1e6:.2f} MB,"
          f" {single_packed / 1e6:.2f} MB compressed")

    servers = {name: Server(folder) for name, folder in (("site", SITE), ("bare", BARE))}
    driver = chromium()
    cdp(driver, "Page.enable")
    cdp(driver, "Page.addScriptToEvaluateOnNewDocument", source=PROBE)
    times = {(name, kind): [] for name in servers for kind in ("first", "repeat")}
    try:
        for _ in range(VISITS):
            for name, server in servers.items():
                origin = server.url.rstrip("/")
                cdp(driver, "Storage.clearDataForOrigin", origin=origin, storageTypes="all")
                cdp(driver, "Network.clearBrowserCache")
                times[name, "first"].append(visit(driver, server.url))
                wait_until(lambda: driver.execute_script("return navigator.serviceWorker.controller !== null"),
                           30, "the service worker")
                times[name, "repeat"].append(visit(driver, server.url))
    finally:
        driver.quit()
        for server in servers.values():
            server.stop()
    print(f"== From navigation to the drawn form, headless Chromium, 127.0.0.1, medians of {VISITS}")
    for kind in ("first", "repeat"):
        site, bare = statistics.median(times["site", kind]), statistics.median(times["bare", kind])
        print(f"  {kind} visit: {site:.0f} ms against {bare:.0f} ms, {site / bare:.2f} x")


main()
