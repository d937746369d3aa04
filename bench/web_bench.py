#!/usr/bin/python3
"""The web site as a first visit meets it, against its floor, the same page
with the form and no program (make_site.py --without-program):
  - what a first visit downloads: every file of the site (the service worker
    keeps them all), compressed as a server that compresses sends it
    (gzip -9), file by file;
  - from navigation until the form is drawn (the first contentful paint),
    and until the first answer of "Въведи" is on the screen: "Въведи"
    clicked the moment the program has the form, medians of first visits
    (nothing kept: the cache and the service worker cleared before each), in
    headless Chromium, on Lighthouse's mobile profile (412 x 823 CSS pixels
    at 1.75 device pixels, touch, 4 x slower processor, 562.5 ms request
    latency, 1474.56 kbit/s down, 675 up, all of it through DevTools) and
    on none; the site on a server that compresses, on 127.0.0.1;
  - Lighthouse 12 (bench/web, pinned), its mobile preset: the scores of its
    four categories and what keeps any of them from 100.
    web_bench.py <site> <floor site> [first visits of each]"""
import gzip
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
from browser import Server, cdp, chromium, wait_until  # noqa: E402

SITE, FLOOR = sys.argv[1], sys.argv[2]
VISITS = int(sys.argv[3]) if len(sys.argv) > 3 else 5
LIGHTHOUSE = os.path.join(HERE, "web", "node_modules", "lighthouse", "cli", "index.js")

# Lighthouse's mobile profile ("slow 4G" and a mid-range phone), as its
# DevTools throttling sets it.
MOBILE = {
    "device": {"width": 412, "height": 823, "deviceScaleFactor": 1.75, "mobile": True},
    "network": {"offline": False, "latency": 562.5, "downloadThroughput": 1474.56 * 1024 / 8,
                "uploadThroughput": 675 * 1024 / 8},
    "cpu": 4,
}
DESKTOP = {"device": {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False},
           "network": None, "cpu": 1}

# Notes, in milliseconds since navigation, when the first contentful paint
# came and when the first answer was drawn: "Въведи" clicked as soon as the
# program has taken the form (its aria-busy gone), and the end of the frame
# that draws the output box with the result (a task queued in that frame's
# animation callbacks runs once it is painted).
PROBE = """
new PerformanceObserver((list) => {
  for (const entry of list.getEntries())
    if (entry.name === 'first-contentful-paint') window.paintedAt = entry.startTime;
}).observe({ type: 'paint', buffered: true });
new MutationObserver((changes, observer) => {
  const form = document.getElementById('form');
  if (!form || form.hasAttribute('aria-busy')) return;
  observer.disconnect();
  document.getElementById('Command1_0').click();
  if (document.getElementById('Text1_0').value.startsWith('Дискриминанта: 100'))
    requestAnimationFrame(() => setTimeout(() => { window.answeredAt = performance.now(); }));
}).observe(document, { subtree: true, childList: true, attributes: true, attributeFilter: ['aria-busy'] });
"""


def files(site):
    """Every file of the site, with its size and its size gzipped at level 9."""
    rows = []
    for folder, _, names in os.walk(site):
        for name in names:
            with open(os.path.join(folder, name), "rb") as file:
                data = file.read()
            rows.append((os.path.relpath(os.path.join(folder, name), site), len(data),
                         len(gzip.compress(data, 9, mtime=0))))
    return sorted(rows, key=lambda row: -row[2])


def sizes():
    print("== What a first visit downloads: every file of the site (the service worker keeps them all)")
    rows = files(SITE)
    for name, raw, packed in rows:
        print(f"  {name:34} {raw / 1e3:8.1f} kB   gzip -9 {packed / 1e3:7.1f} kB")
    raw, packed = sum(r[1] for r in rows), sum(r[2] for r in rows)
    floor = sum(r[2] for r in files(FLOOR))
    print(f"  all {len(rows)} files: {raw / 1e3:.1f} kB, {packed / 1e3:.1f} kB compressed (limit 100 kB);"
          f" the floor's {floor / 1e3:.1f} kB")


def visit(driver, url, answer):
    cdp(driver, "Storage.clearDataForOrigin", origin=url.rstrip("/"), storageTypes="all")
    cdp(driver, "Network.clearBrowserCache")
    driver.get("about:blank")
    driver.get(url)
    done = "window.paintedAt && window.answeredAt" if answer else "window.paintedAt"
    wait_until(lambda: driver.execute_script(f"return {done}"), 120, "the page drawn, and answering")
    return driver.execute_script("return [window.paintedAt, window.answeredAt]")


def timings(profile, name):
    servers = {"site": Server(SITE, compress=True), "floor": Server(FLOOR, compress=True)}
    driver = chromium()
    try:
        for command in ("Page.enable", "Network.enable"):
            cdp(driver, command)
        cdp(driver, "Emulation.setDeviceMetricsOverride", **profile["device"])
        cdp(driver, "Emulation.setTouchEmulationEnabled", enabled=profile["device"]["mobile"])
        cdp(driver, "Emulation.setCPUThrottlingRate", rate=profile["cpu"])
        if profile["network"]:
            cdp(driver, "Network.emulateNetworkConditions", **profile["network"])
        cdp(driver, "Page.addScriptToEvaluateOnNewDocument", source=PROBE)
        painted = {"site": [], "floor": []}
        answered = []
        for _ in range(VISITS):
            for which, server in servers.items():
                paint, answer = visit(driver, server.url, which == "site")
                painted[which].append(paint)
                if which == "site":
                    answered.append(answer)
    finally:
        driver.quit()
        for server in servers.values():
            server.stop()
    site, floor, answer = (statistics.median(v) for v in (painted["site"], painted["floor"], answered))
    print(f"== {name}: from navigation, medians of {VISITS} first visits (all: drawn {sorted(painted['site'])},"
          f" answered {sorted(answered)})")
    print(f"  the form drawn {site:.0f} ms; the first answer {answer:.0f} ms;"
          f" the floor's form drawn {floor:.0f} ms; the first answer at {answer / floor:.2f} x the floor's paint")


def lighthouse():
    if not os.path.exists(LIGHTHOUSE):
        sys.exit(f"no Lighthouse at {LIGHTHOUSE}: npm ci --prefix {os.path.join(HERE, 'web')}")
    server = Server(SITE, compress=True)
    profile = tempfile.mkdtemp()
    report = os.path.join(profile, "report.json")
    flags = " ".join(["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                      "--disable-background-networking", "--disable-component-update", "--disable-sync",
                      "--disable-quic", "--no-first-run", f"--user-data-dir={profile}/chromium"])
    try:
        subprocess.run(["node", LIGHTHOUSE, server.url, "--quiet", "--output=json", f"--output-path={report}",
                        f"--chrome-flags={flags}",
                        "--only-categories=performance,accessibility,best-practices,seo"],
                       check=True, env={**os.environ, "CHROME_PATH": "/usr/bin/chromium"}, timeout=300)
        with open(report, encoding="utf-8") as file:
            result = json.load(file)
    finally:
        server.stop()
        shutil.rmtree(profile, ignore_errors=True)
    print(f"== Lighthouse {result['lighthouseVersion']}, its mobile preset, Chromium {result['environment']['hostUserAgent'].split('Chrome/')[1].split()[0]}")
    categories = result["categories"]
    print("  " + ", ".join(f"{c['title']} {round(c['score'] * 100)}" for c in categories.values()))
    audits = result["audits"]
    for key in ("first-contentful-paint", "largest-contentful-paint", "total-blocking-time",
                "cumulative-layout-shift", "speed-index"):
        print(f"  {audits[key]['title']}: {audits[key]['displayValue']}")
    for category in categories.values():
        for ref in category["auditRefs"]:
            audit = audits[ref["id"]]
            if ref["weight"] > 0 and audit["score"] is not None and audit["score"] < 1:
                print(f"  short of 100 in {category['title']}: {audit['title']} ({audit.get('displayValue', '')})")
    for task in audits["long-tasks"].get("details", {}).get("items", []):
        print(f"  a long task (simulated): {task.get('url', '')[-40:]} at {task['startTime']:.0f} ms,"
              f" {task['duration']:.0f} ms")


if __name__ == "__main__":
    only = os.environ.get("SISTEMA_BENCH_ONLY")
    if not only:
        sizes()
        timings(MOBILE, "Lighthouse's mobile profile")
        timings(DESKTOP, "No throttling, a desktop's screen")
    lighthouse()
