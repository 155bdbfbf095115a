#!/usr/bin/env python3
"""The browser build's size and load time: the bytes of the files a first
visit fetches, raw and gzipped (level 9), and the time from navigation to
the first frame on the canvas in headless Chromium, over fresh loads of the
page served from 127.0.0.1 (the browser's cache and the service worker
bypassed). Fails when the gzipped files exceed their budget. The icons,
which the service worker fetches in the background after the first frame
and an installing browser fetches once, are listed apart.

usage: web_bench.py WEB_DIR [LOADS]
"""

import gzip
import os
import statistics
import sys

# The browser driver the browser test uses.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser import Browser, Server  # noqa: E402

FILES = ("index.html", "page.js", "verdict.js", "quenchway.js", "quenchway.wasm", "manifest.webmanifest", "sw.js")
ICONS = ("icon-192.png", "icon-512.png")
# What a phone on a slow line should have to fetch for the whole game.
BUDGET_GZIPPED = 256 * 1024


def main(web_dir, loads=15):
    total_raw = total_gzip = 0
    print("%-20s %10s %10s" % ("file", "bytes", "gzipped"))
    for name in FILES:
        with open(os.path.join(web_dir, name), "rb") as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total_raw += len(data)
        total_gzip += packed
        print("%-20s %10d %10d" % (name, len(data), packed))
    print("%-20s %10d %10d" % ("all", total_raw, total_gzip))
    within = total_gzip <= BUDGET_GZIPPED
    print("budget: %d bytes gzipped, %s" % (BUDGET_GZIPPED, "met" if within else "EXCEEDED"))
    for name in ICONS:
        print("%-20s %10d (not in the budget)" % (name, os.path.getsize(os.path.join(web_dir, name))))

    server = Server(web_dir)
    browser = Browser()
    try:
        browser.viewport(800, 700)
        browser.page("Network.enable")
        browser.page("Network.setCacheDisabled", {"cacheDisabled": True})
        browser.page("Network.setBypassServiceWorker", {"bypass": True})
        browser.open(server.url)  # warm-up: the browser's own start-up is not the page's
        first = []
        for _ in range(int(loads)):
            browser.open("about:blank", ready="true")
            browser.open(server.url)
            first.append(browser.evaluate("window.quenchway.firstFrameMs"))
    finally:
        browser.close()
        server.close()
    first.sort()
    print("first frame after navigation, %d loads: median %.0f ms, fastest %.0f ms, slowest %.0f ms"
          % (len(first), statistics.median(first), first[0], first[-1]))
    return 0 if within else 1


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
