#!/usr/bin/env python3
"""The browser build in headless Chromium, against the desktop binary:

- the page loads and says it is ready; the canvas is shown at a whole-number
  scale, on a desktop window and on a phone;
- the canvas's menu frame equals the desktop's script-mode shot, pixel for
  pixel, and so do the play screen's caption and a tooltip;
- a level is solved with real pointer events, mouse and touch, and the
  password shows in the game's own box, drawn in the canvas over the solved
  screen, which takes all input and closes on Enter; a second level solved
  and its box closed by a tap on OK;
- the page is installable and, reloaded offline, ready again, with the
  progress of the first load (Continue); with its storage refused the game
  plays on and the command bar says so once;
- a level code from the desktop opens the same level from the page's address
  (#level=CODE), a mistyped one is refused in the game's box, and a code the
  page's chooser shares opens the same level on the desktop;
- the level editor, opened from the chooser: a level made by taps shows the
  desktop's verdict, found by the page's worker; saved, it is in the chooser
  after a reload; a tap during a long search is drawn at once;
- window.quenchway.script gives exactly what `quenchway --script` prints, for
  the scripts in tests/web/scripts and for the whole game played through.

usage: browser_test.py WEB_DIR GAME LEVELS_TOOL SOURCE_DIR
"""

import base64
import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, Server  # noqa: E402
from game_data import CONTINUE, MENU_CONTINUE, SOLVED_BEST  # noqa: E402
import game_data  # noqa: E402

WIDTH, CLIENT_HEIGHT, FRAME_HEIGHT = 240, 268, 294
LABEL_ROWS = 40  # above the bar: where a tooltip or note is labelled
MENU_LEVELS = 28  # the menu's Levels button

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def canvas_rgb(browser):
    """The canvas as RGB bytes, row by row, read back through getImageData."""
    data = browser.evaluate("""(() => {
      const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 240, 294).data;
      let s = '';
      for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
      return btoa(s);
    })()""")
    return base64.b64decode(data)


def desktop_script(game, text, cwd, options=()):
    run = subprocess.run([game, "--script", "-", *options], input=text.encode(), capture_output=True, cwd=cwd,
                         timeout=120)
    return run.stdout.decode() + run.stderr.decode()


def desktop_shot(game, commands, cwd, options=(), own=None):
    """The desktop's client area after `commands`, from no progress, as the
    page's first load starts (or from the progress folder `own`), as RGB rows."""
    path = os.path.join(cwd, "shot.bmp")
    with tempfile.TemporaryDirectory(prefix="qw-progress-") as progress:
        desktop_script(game, commands + "shot " + path + "\n", cwd, ("--progress", own or progress, *options))
    return game_data.read_bmp24(path)


def shows(browser, frame, seconds=30):
    """True once the canvas shows `frame`, within `seconds`."""
    deadline = time.time() + seconds
    while canvas_rgb(browser)[:len(frame)] != frame and time.time() < deadline:
        time.sleep(0.1)
    return canvas_rgb(browser)[:len(frame)] == frame


def cell(data, n):
    """The middle of the editor's board cell n (row n // 10, column n % 10)."""
    x, y = data.items[81][:2]
    return (x + 1 + 21 * (n % 10) + 10, y + 1 + 21 * (n // 10) + 10)


def differing_pixels(a, b, rows):
    return sum(1 for i in range(0, WIDTH * rows * 3, 3) if a[i:i + 3] != b[i:i + 3])


def differing_bounds(a, b, rows):
    """The smallest rectangle [left, top, right, bottom) holding every pixel
    that differs, or None."""
    points = [(i // 3 % WIDTH, i // 3 // WIDTH) for i in range(0, WIDTH * rows * 3, 3) if a[i:i + 3] != b[i:i + 3]]
    if not points:
        return None
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return [min(xs), min(ys), max(xs) + 1, max(ys) + 1]


def without_time(data, frame):
    """The frame with the solved screen's panel of the player's best blanked:
    its time is the time the player took, which script mode does not."""
    x, y, w, h = data.items[SOLVED_BEST]
    frame = bytearray(frame)
    for row in range(y, y + h):
        frame[(row * WIDTH + x) * 3:(row * WIDTH + x + w) * 3] = bytes(w * 3)
    return bytes(frame)


def press_key(browser, key, code):
    for kind in ("keyDown", "keyUp"):
        browser.page("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code})


def solve(pen, data, level):
    """Plays `level` by hand, fingers and mouse taking turns; returns the
    same moves in script commands."""
    script = ""
    for i, (slot, cell, turns) in enumerate(data.placements(level)):
        pen.tap(slot)
        for _ in range(turns):
            pen.click(slot)
        pen.drag(slot, cell, finger=(i % 2 == 0))
        script += "tap %d %d\n" % slot * (1 + turns) + "drag %d %d %d %d\n" % (slot + cell)
    return script


class Pen:
    """Real input events at frame pixels: the mouse, or one finger."""

    def __init__(self, browser):
        self.browser = browser
        box = browser.evaluate("(() => { const r = document.getElementById('screen').getBoundingClientRect();"
                               " return [r.left, r.top, r.width / 240]; })()")
        self.left, self.top, self.scale = box

    def at(self, p):
        # The middle of the frame pixel, in page coordinates.
        return self.left + (p[0] + 0.5) * self.scale, self.top + (p[1] + 0.5) * self.scale

    def mouse(self, kind, p):
        x, y = self.at(p)
        params = {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1,
                  "buttons": 1 if kind != "mouseReleased" else 0}
        self.browser.page("Input.dispatchMouseEvent", params)

    def touch(self, kind, p=None):
        points = [] if p is None else [dict(zip(("x", "y"), self.at(p)), id=1)]
        self.browser.page("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def click(self, p):
        self.mouse("mouseMoved", p)
        self.mouse("mousePressed", p)
        self.mouse("mouseReleased", p)

    def tap(self, p):
        self.touch("touchStart", p)
        self.touch("touchEnd")

    def drag(self, a, b, finger):
        steps = max(abs(b[0] - a[0]), abs(b[1] - a[1])) // 4 + 1
        line = [(a[0] + (b[0] - a[0]) * i // steps, a[1] + (b[1] - a[1]) * i // steps) for i in range(1, steps + 1)]
        if finger:
            self.touch("touchStart", a)
            for p in line:
                self.touch("touchMove", p)
            self.touch("touchEnd")
        else:
            self.mouse("mouseMoved", a)
            self.mouse("mousePressed", a)
            for p in line:
                self.mouse("mouseMoved", p)
            self.mouse("mouseReleased", b)


def main(web_dir, game, levels_tool, source):
    game, levels_tool, source = (os.path.abspath(p) for p in (game, levels_tool, source))
    data = game_data.GameData(source, levels_tool)
    server = Server(web_dir)
    browser = Browser()
    scratch = tempfile.TemporaryDirectory(prefix="qw-web-")
    try:
        browser.viewport(800, 700)
        # A page that asks for reduced motion starts with the water still:
        # every step below shows its end at once, as on the still desktop.
        browser.page("Emulation.setEmulatedMedia",
                     {"features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
        seconds = browser.open(server.url)
        check(True, "the page becomes ready (%.2f s)" % seconds)
        scale = browser.evaluate("document.getElementById('screen').getBoundingClientRect().width / 240")
        check(scale == 2, "an 800 x 700 page shows the frame at scale 2 (%s)" % scale)

        menu = canvas_rgb(browser)
        desktop = desktop_shot(game, "", scratch.name)
        check(menu[:len(desktop)] == desktop, "the menu frame equals the desktop's shot (%d pixels differ)"
              % differing_pixels(menu, desktop, CLIENT_HEIGHT))

        # Sound waits for the first tap, as browsers require, and nothing
        # complains in the console before it.
        check(browser.evaluate("window.quenchway.audio === undefined") and not browser.console,
              "no sound and no console complaint before the first tap %s" % browser.console)

        # Level 1 by hand: the menu's new-game button clicked, the piece
        # selected with a finger and turned by clicking it, dragged onto its
        # cell with a finger.
        pen = Pen(browser)
        pen.click(data.centre(3))
        plan = data.placements(1)
        caption_shot = desktop_shot(game, "tap %d %d\n" % data.centre(3), scratch.name)
        played = canvas_rgb(browser)
        check(played[:len(caption_shot)] == caption_shot,
              "the play screen, caption included, equals the desktop's (%d pixels differ)"
              % differing_pixels(played, caption_shot, CLIENT_HEIGHT))
        check(browser.evaluate("typeof window.quenchway.audio.play") == "function",
              "the first tap opens the sound")
        script = "tap %d %d\n" % data.centre(3) + solve(pen, data, 1)
        solved = canvas_rgb(browser)
        solved_shot = without_time(data, desktop_shot(game, script, scratch.name))
        check(without_time(data, solved)[:len(solved_shot)] == solved_shot,
              "the solved screen equals the desktop's after the same moves (%d pixels differ)"
              % differing_pixels(without_time(data, solved), solved_shot, CLIENT_HEIGHT))
        # Continuing opens the game's own box with the next password, in the
        # canvas over the solved screen, which stays as it was around it.
        pen.tap(data.centre(CONTINUE))
        password = data.password(2)
        messages = browser.evaluate("window.quenchway.messages")
        check(not browser.dialogs and messages and password in messages[-1],
              "continuing shows the next level's password in the game's box, not the browser's (%s, %s)"
              % (messages, browser.dialogs))
        boxed = canvas_rgb(browser)
        ok = browser.evaluate("window.quenchway.okButton")
        box = differing_bounds(boxed, solved, CLIENT_HEIGHT)
        # Only the box differs: the pixels that changed make one rectangle
        # centred in the client area (the box and its shadow), OK inside it.
        check(box is not None and differing_pixels(boxed, solved, CLIENT_HEIGHT) > 2000
              and box[0] + box[2] == WIDTH and box[1] + box[3] == CLIENT_HEIGHT
              and box[0] < ok[0] and box[1] < ok[1] and ok[2] < box[2] and ok[3] < box[3],
              "the box is drawn in the middle of the solved screen, its OK button inside (%s, OK %s)" % (box, ok))
        # Modal: a key and a tap beside the box reach nothing behind it.
        press_key(browser, "r", "KeyR")
        pen.tap((2, 2))
        check(canvas_rgb(browser) == boxed, "while the box shows, keys and taps reach only the box")
        press_key(browser, "Enter", "Enter")
        script += "tap %d %d\n" % data.centre(CONTINUE)
        level2 = desktop_shot(game, script, scratch.name)
        check(canvas_rgb(browser)[:len(level2)] == level2,
              "Enter closes the box and level 2 shows as on the desktop (%d pixels differ)"
              % differing_pixels(canvas_rgb(browser), level2, CLIENT_HEIGHT))

        # On level 2 the toolbar is shown; a hovered button shows its
        # tooltip after its delay, drawn from the glyph atlas.
        def tooltip_area():
            # The rows just above the bar, where tooltips and notes are labelled.
            frame = canvas_rgb(browser)
            return frame[(CLIENT_HEIGHT - LABEL_ROWS) * WIDTH * 3:CLIENT_HEIGHT * WIDTH * 3]
        pen.mouse("mouseMoved", data.toolbar_button_centre(0))
        browser.evaluate("new Promise(r => setTimeout(() => r(true), 100))")
        before = tooltip_area()  # the button shows hovered, its tooltip not yet
        browser.evaluate("new Promise(r => setTimeout(() => r(true), 900))")
        check(tooltip_area() != before, "hovering a toolbar button shows its tooltip after the delay")

        # Level 2 solved too; its box closes on a tap on OK.
        script += solve(pen, data, 2)
        pen.tap(data.centre(CONTINUE))
        messages = browser.evaluate("window.quenchway.messages")
        check(not browser.dialogs and password != data.password(3) and data.password(3) in messages[-1],
              "level 2 continued shows level 3's password in the game's box (%s)" % messages)
        ok = browser.evaluate("window.quenchway.okButton")
        pen.tap(((ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2))
        script += "tap %d %d\n" % data.centre(CONTINUE)
        level3 = desktop_shot(game, script, scratch.name)
        check(canvas_rgb(browser)[:len(level3)] == level3,
              "a tap on OK closes the box and level 3 shows as on the desktop (%d pixels differ)"
              % differing_pixels(canvas_rgb(browser), level3, CLIENT_HEIGHT))

        # A page that prefers a dark scheme starts in Dark, its pictures
        # fetched apart once needed: the title as the desktop's --theme dark.
        media = [{"name": "prefers-reduced-motion", "value": "reduce"}]
        browser.page("Emulation.setEmulatedMedia", {"features": media + [{"name": "prefers-color-scheme", "value": "dark"}]})
        browser.open(server.url)
        title = desktop_shot(game, "", scratch.name, ("--theme", "dark"))[:240 * 3 * 50]
        for _ in range(40):
            if canvas_rgb(browser)[:len(title)] == title:
                break
            time.sleep(0.25)
        check(canvas_rgb(browser)[:len(title)] == title, "a page preferring a dark scheme starts in Dark")
        pen.click(data.centre(MENU_CONTINUE))  # Dark's own pieces came with its pictures
        dark_play = desktop_shot(game, script, scratch.name, ("--theme", "dark"))
        check(canvas_rgb(browser)[:len(dark_play)] == dark_play, "level 3 in Dark as on the desktop")
        browser.page("Emulation.setEmulatedMedia", {"features": media})
        browser.open(server.url)

        # Installable, and offline once the service worker has the game; the
        # progress of the first load (levels 1 and 2 solved, 3 in play) is
        # there after the reload: Continue opens level 3.
        browser.evaluate("navigator.serviceWorker.ready.then(() => true)")
        errors = browser.page("Page.getInstallabilityErrors")["installabilityErrors"]
        check(errors == [], "the page is installable %s" % errors)
        # Offline for the page, and the server gone, for the worker's own fetches.
        browser.page("Network.enable")
        browser.page("Network.emulateNetworkConditions", {"offline": True, "latency": 0, "downloadThroughput": -1,
                                                          "uploadThroughput": -1})
        server.close()
        browser.open(server.url)
        check(True, "offline, a reload of the page becomes ready")
        Pen(browser).click(data.centre(MENU_CONTINUE))
        check(canvas_rgb(browser)[:len(level3)] == level3, "after a reload, Continue opens level 3 as it was left")

        # A phone: 390 x 844 CSS pixels at 3 device pixels each.
        browser.viewport(390, 844, scale=3, mobile=True)
        browser.evaluate("new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => r(true))))")
        css = browser.evaluate("document.getElementById('screen').getBoundingClientRect().width")
        check(abs(css * 3 - 4 * 240) < 0.01, "a phone shows the frame at 4 device pixels a pixel (%s CSS px)" % css)

        # The script hook against the binary.
        scripts = data.scripts()
        for name, text in scripts:
            expected = desktop_script(game, text, scratch.name)
            got = browser.evaluate("window.quenchway.script(%s)" % json.dumps(text))
            check(got == expected, "script %s gives what the binary prints" % name)
            if got != expected:
                show_difference(expected, got)
        # Levels shared by a code, both ways. A random level's code from the
        # desktop opens the same level from the page's address; a code one
        # character off is refused in the game's box, the level playing on.
        code = line_of(desktop_script(game, "dump\n", scratch.name, ("--random", "4242", "--grade", "3")), "code ")
        browser.open(server.url + "#level=" + code)
        shared = desktop_shot(game, "", scratch.name, ("--level", code))
        check(canvas_rgb(browser)[:len(shared)] == shared,
              "the desktop's code %s opens the same level from the page's address (%d pixels differ)"
              % (code, differing_pixels(canvas_rgb(browser), shared, CLIENT_HEIGHT)))
        bad = code[:-1] + ("0" if code[-1] != "0" else "1")
        browser.evaluate("location.hash = '#level=%s'; new Promise(r => setTimeout(() => r(true), 100))" % bad)
        messages = browser.evaluate("window.quenchway.messages")
        press_key(browser, "Enter", "Enter")
        check(messages and "cannot be played: the code is mistyped" in messages[-1]
              and canvas_rgb(browser)[:len(shared)] == shared,
              "a mistyped code in the address is refused in the game's box and the level plays on (%s)" % messages[-1:])
        # Share on the page's chooser (level 1 highlighted) gives a code the
        # desktop opens as level 1.
        page = browser.evaluate("window.quenchway.script(%s)" % json.dumps(
            "tap %d %d\nkey S\ndump\n" % data.centre(MENU_LEVELS)))
        copied = line_of(page, "clipboard ")
        on_desktop = desktop_script(game, "dump\n", scratch.name, ("--level", copied))
        level1 = desktop_script(game, "tap %d %d\ndump\n" % data.centre(3), scratch.name)
        check(copied and board_of(on_desktop) == board_of(level1) and line_of(on_desktop, "code ") == copied,
              "the page's chooser shares level 1 as %s, which the desktop opens as level 1" % copied)

        # The level editor, from storage holding only levels that do not read:
        # opened from the chooser (E), a level made by taps, its verdict line
        # found by the page's worker as on the desktop; saved, the level is in
        # the chooser after a reload, the unreadable levels kept aside.
        browser.open("about:blank", ready="true")
        clear = browser.page("Page.addScriptToEvaluateOnNewDocument",
                             {"source": "localStorage.clear(); localStorage.setItem('quenchway.levels', 'no level')"})
        browser.open(server.url)
        browser.page("Page.removeScriptToEvaluateOnNewDocument", clear)
        pen, nozzle, fire, wall, more = Pen(browser), data.centre(82), data.centre(83), data.centre(85), 96
        made = [nozzle, cell(data, 0), fire, cell(data, 3)]
        pages = [data.centre(MENU_LEVELS)] + [(212, 254)] * 3  # the chooser's last page
        pen.click(data.centre(MENU_LEVELS))
        press_key(browser, "e", "KeyE")
        for p in made:
            pen.click(p)
        own = tempfile.mkdtemp(dir=scratch.name)
        taps = lambda points: "".join("tap %d %d\n" % p for p in points)
        editor = desktop_shot(game, taps(pages[:1]) + "key E\n" + taps(made), scratch.name, own=own)
        check(shows(browser, editor), "a level made by taps in the page's editor shows the desktop's verdict")
        pen.click(data.centre(105))
        desktop_shot(game, taps(pages[:1]) + "key E\n" + taps(made + [data.centre(105)]), scratch.name, own=own)
        browser.open(server.url)
        for p in pages:
            pen.click(p)
        rows = slice(190 * WIDTH * 3, 230 * WIDTH * 3)  # the last page's last rows: the saved level, Create level
        aside = browser.evaluate("Object.keys(localStorage).filter(k => k.startsWith('quenchway.levels.bad-'))"
                                 ".map(k => localStorage.getItem(k))")
        check(canvas_rgb(browser)[rows] == desktop_shot(game, taps(pages), scratch.name, own=own)[rows]
              and aside == ["no level"], "a saved level is in the chooser after a reload, as on the desktop,"
              " the levels that did not read kept aside (%s)" % aside)
        # A hard level (ten pieces, four fires): a tap while its verdict is
        # searched shows at once, and the verdict of the tap's level follows.
        hard = [nozzle, cell(data, 0)] + [data.centre(more + k) for k in (0,) * 4 + (1,) * 3 + (2,) * 3] + [
            fire, cell(data, 99), cell(data, 90), cell(data, 9), cell(data, 55), wall]
        press_key(browser, "e", "KeyE")
        for p in hard:
            pen.click(p)
        before, start = canvas_rgb(browser), time.time()
        pen.click(cell(data, 33))
        after, took = canvas_rgb(browser), time.time() - start
        final = desktop_shot(game, taps(pages) + "key E\n" + taps(hard + [cell(data, 33)]), scratch.name)
        check(after != before and after[:len(final)] != final and took < 0.5 and shows(browser, final, 120),
              "a tap during a long search is drawn at once (%.2f s), its own verdict following" % took)

        # A stored record that does not read is kept aside; the game starts afresh.
        browser.open("about:blank", ready="true")  # the page saves as it goes
        bad = browser.page("Page.addScriptToEvaluateOnNewDocument",
                           {"source": "localStorage.setItem('quenchway.progress', 'quenchway-progress 9')"})
        browser.open(server.url)
        browser.page("Page.removeScriptToEvaluateOnNewDocument", bad)
        fresh = canvas_rgb(browser)[:len(desktop)] == desktop
        Pen(browser).click(data.centre(3))  # a save
        aside = browser.evaluate("Object.keys(localStorage).filter(k => k.startsWith('quenchway.progress.bad-'))"
                                 ".map(k => localStorage.getItem(k))")
        check(fresh and aside == ["quenchway-progress 9"],
              "a stored record that does not read is kept aside once, and the menu starts afresh (%s)" % aside)

        # Storage refused (its quota full): the game plays as ever, and the bar
        # says once that progress cannot be saved.
        browser.evaluate("localStorage.clear()")
        browser.page("Page.addScriptToEvaluateOnNewDocument", {"source": "Storage.prototype.setItem = () => {"
                     " throw new DOMException('full', 'QuotaExceededError'); };"})
        browser.viewport(800, 700)
        browser.open(server.url)
        pen = Pen(browser)
        pen.click(data.centre(3))
        solve(pen, data, 1)
        notes = browser.evaluate("window.quenchway.notes")
        played = without_time(data, canvas_rgb(browser))
        # The note's label lies over the client's lowest rows; the rest is as on the desktop.
        above_label = (CLIENT_HEIGHT - LABEL_ROWS) * WIDTH * 3
        check(played[:above_label] == solved_shot[:above_label] and notes == ["Progress cannot be saved"],
              "with storage refused level 1 is solved as on the desktop, the bar noting it once (%s)" % notes)
        check(not browser.errors, "no script errors on the page %s" % browser.errors)
    finally:
        browser.close()
        server.close()
        scratch.cleanup()
    if failures:
        print("%d of the browser checks failed" % len(failures))
        return 1
    return 0


def line_of(dump, start):
    """The rest of the first line of `dump` that begins with `start`."""
    return next((line[len(start):] for line in dump.splitlines() if line.startswith(start)), "")


def board_of(dump):
    """The tray and board lines of `dump`."""
    return [line for line in dump.splitlines() if line.startswith(("tray", "row"))]


def show_difference(expected, got):
    a, b = expected.splitlines(), got.splitlines()
    for i in range(max(len(a), len(b))):
        x = a[i] if i < len(a) else "<end>"
        y = b[i] if i < len(b) else "<end>"
        if x != y:
            print("     line %d: binary %r, page %r" % (i + 1, x, y))
            return


if __name__ == "__main__":
    if len(sys.argv) != 5:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
