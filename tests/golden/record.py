#!/usr/bin/env python3
"""Golden sessions of the game in script mode: random play from fixed seeds.

Each session is a script of the game's script mode: menu, instructions,
drags, taps, turns, restarts, password entry right and wrong, levels solved
with the level tool's solutions and levels failed, with `dump` and `shot` at
random points. The golden files keep the scripts and what the game printed,
with every shot replaced by a digest of its pixels, so that the replay test
(golden_test.cpp) can tell whether a build still behaves exactly the same.

  record BUILD               writes sessions.txt and expected.txt beside this
                             file from the game in BUILD (the one command to
                             re-record after a deliberate change)
  compare OLD NEW [--count N] [--first S]
                             runs N fresh sessions through both games (two
                             build folders, or folders holding quenchway,
                             quenchway-levels and data/) and reports every
                             difference of output or shot

BUILD, OLD and NEW are folders with `quenchway` and `quenchway-levels`.
"""

import argparse
import hashlib
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
SESSIONS = os.path.join(HERE, "sessions.txt")
EXPECTED = os.path.join(HERE, "expected.txt")
RECORDED_SESSIONS = 200
LAYOUT_Y_OFFSET = 26
KEYS = "AEILNRST"
KINDS = {"elbow": 0, "bend": 1, "splitter": 2}


# ---- the shipped data, read the simple way ----------------------------------

def read_layout(path):
    items = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            x, y, w, h = (int(v) for v in line.split(",")[:4])
            y -= LAYOUT_Y_OFFSET
            items.append((x, y, x + w, y + h))
    return items


def read_levels(path):
    lines = []
    with open(path, encoding="latin-1", newline="") as f:
        for line in f.read().split("\r\n"):
            if line and not line.startswith(";"):
                lines.append(line)
    levels = []
    for i in range(0, len(lines) - 6, 7):
        counts = [int(v) for v in lines[i + 2].split(",")]
        levels.append({"password": lines[i + 1], "tray": counts})
    return levels


def read_solutions(levels_tool, levels_file):
    out = subprocess.run([levels_tool, "solve", levels_file], capture_output=True, text=True).stdout
    solutions = {}
    for line in out.splitlines():
        head, _, rest = line.partition(": ")
        n = int(head.split()[1]) - 1
        pieces = []
        for word in rest.split():
            if "@" not in word:
                continue
            kind, _, tail = word.partition("@")
            cell, _, rot = tail.partition("/r")
            pieces.append((KINDS[kind], int(cell), int(rot)))
        solutions[n] = None if rest == "none" else pieces
    return solutions


# ---- one session --------------------------------------------------------------

def centre(r):
    return ((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)


class Session:
    """Writes one script while keeping a rough idea of the game's state; where
    the idea is wrong the script simply does something else, which is as
    good a test."""

    def __init__(self, seed, layout, levels, solutions):
        self.rng = random.Random(seed)
        self.layout = layout
        self.levels = levels
        self.solutions = solutions
        self.lines = []
        self.shots = 0
        self.mode = "menu"
        self.level = -1
        self.tray = []

    # geometry
    def slot_point(self, k, jitter=0):
        r = self.layout[16]
        x, y = r[0] + 1 + 21 * k + 10, r[1] + 1 + 10
        return self.jitter(x, y, jitter)

    def cell_point(self, n, jitter=0):
        r = self.layout[17]
        x, y = r[0] + 1 + 21 * (n % 10) + 10, r[1] + 1 + 21 * (n // 10) + 10
        return self.jitter(x, y, jitter)

    def jitter(self, x, y, j):
        if j:
            x += self.rng.randint(-j, j)
            y += self.rng.randint(-j, j)
        return x, y

    def item_point(self, i):
        return centre(self.layout[i])

    def anywhere(self):
        rng = self.rng
        roll = rng.random()
        if roll < 0.8:
            return rng.randint(0, 239), rng.randint(0, 267)
        if roll < 0.95:
            return rng.randint(-30, 270), rng.randint(-30, 300)
        return rng.choice([-2147483648, 2147483647, 0]), rng.choice([-2147483648, 2147483647, 0])

    # output
    def cmd(self, text):
        self.lines.append(text)
        if self.rng.random() < 0.06:
            self.lines.append("dump")
        if self.rng.random() < 0.07:
            self.shot()

    def shot(self):
        self.shots += 1
        self.lines.append("shot shot-%d.bmp" % self.shots)

    def tap(self, p):
        self.cmd("tap %d %d" % p)

    def drag(self, a, b):
        if self.rng.random() < 0.8:
            self.cmd("drag %d %d %d %d" % (a + b))
        else:  # by hand: a few moves, perhaps too short to be a drag
            self.cmd("down %d %d" % a)
            for _ in range(self.rng.randint(0, 3)):
                t = self.rng.random()
                self.cmd("move %d %d" % (round(a[0] + (b[0] - a[0]) * t), round(a[1] + (b[1] - a[1]) * t)))
            self.cmd("move %d %d" % b)
            self.cmd("up %d %d" % b)

    # screens
    def start_play(self, level):
        self.mode = "play"
        self.level = level
        e, b, s = self.levels[level]["tray"]
        self.tray = ([0] * e + [1] * b + [2] * s)[:10]
        self.tray += [None] * (10 - len(self.tray))
        self.board = {}

    def to_menu(self):
        if self.mode != "menu":
            self.cmd("ok")
            self.mode = "menu"

    def menu_action(self):
        rng = self.rng
        roll = rng.random()
        if roll < 0.35:
            self.tap(self.item_point(3))
            self.start_play(0)
        elif roll < 0.7:
            self.tap(self.item_point(5))
            self.password_entry()
        elif roll < 0.8:
            self.tap(self.item_point(7))
            if rng.random() < 0.4:
                self.shot()
            self.tap(self.anywhere())
        elif roll < 0.9:
            # a press that wanders over the buttons before it lifts
            self.cmd("down %d %d" % self.item_point(rng.choice([3, 5, 7, 9])))
            for _ in range(rng.randint(1, 4)):
                self.cmd("move %d %d" % (self.item_point(rng.choice([3, 5, 7, 9])) if rng.random() < 0.6
                                         else self.anywhere()))
            self.cmd("move %d %d" % self.item_point(rng.choice([3, 5, 7])))
            if rng.random() < 0.3:
                self.shot()
            self.cmd("up %d %d" % self.anywhere())
            self.mode = "unknown"
        elif roll < 0.97:
            self.tap(self.anywhere())
        else:
            self.cmd(rng.choice(["ok", "cancel"]) if rng.random() < 0.5 else "tap %d %d" % self.item_point(9))
            self.mode = "closed"

    def password_entry(self):
        rng = self.rng
        target = rng.randrange(len(self.levels))
        word = self.levels[target]["password"]
        roll = rng.random()
        if roll < 0.15:
            word = "".join(rng.choice(KEYS) for _ in range(rng.randint(0, 7)))
        elif roll < 0.25:
            word = word[:-1]
        keypad = self.layout[23]
        for i, ch in enumerate(word):
            if rng.random() < 0.05:
                self.tap(self.item_point(22))  # clear, then start again
                for c in word[:i]:
                    self.tap((keypad[0] + 20 * KEYS.index(c) + rng.randint(1, 18), keypad[1] + rng.randint(1, 18)))
            k = KEYS.index(ch) if ch in KEYS else 0
            self.tap((keypad[0] + 20 * k + rng.randint(1, 18), keypad[1] + rng.randint(1, 18)))
        if rng.random() < 0.15:
            self.tap(self.anywhere())
        if rng.random() < 0.3:
            self.shot()
        if rng.random() < 0.1:
            self.tap(self.item_point(21))
            self.mode = "menu"
            return
        self.tap(self.item_point(20))
        if word == self.levels[target]["password"]:
            self.start_play(min(i for i, lv in enumerate(self.levels) if lv["password"] == word))
        else:
            self.mode = "menu"

    def place(self, kind, cell, rot, in_tray):
        rng = self.rng
        if kind not in self.tray:
            return
        slot = self.tray.index(kind)
        if in_tray and rot:
            self.tap(self.slot_point(slot, 3))
            for _ in range(rot):
                if rng.random() < 0.3:
                    self.tap(self.slot_point(slot, 4))
                else:
                    self.cmd("rotate-cw")
        self.drag(self.slot_point(slot, 4), self.cell_point(cell, 4))
        self.tray[slot] = None
        self.board[cell] = kind
        if not in_tray and rot:
            if rng.random() < 0.5:
                for _ in range(rot):
                    self.cmd("rotate-cw")
            else:
                for _ in range(8 - rot):
                    self.cmd("rotate-ccw")

    def noise(self):
        rng = self.rng
        roll = rng.random()
        if roll < 0.3:
            src = self.slot_point(rng.randrange(10), 6) if rng.random() < 0.5 else self.cell_point(rng.randrange(100), 6)
            dst = (self.cell_point(rng.randrange(100), 6) if rng.random() < 0.7
                   else self.slot_point(rng.randrange(10), 6) if rng.random() < 0.7 else self.anywhere())
            self.drag(src, dst)
            self.tray = [None] * 10  # no longer known
        elif roll < 0.5:
            self.tap(self.cell_point(rng.randrange(100), 9) if rng.random() < 0.6 else self.slot_point(rng.randrange(10), 9))
        elif roll < 0.65:
            self.cmd(rng.choice(["rotate-cw", "rotate-ccw"]))
        elif roll < 0.75:
            self.cmd("restart")
            self.start_play(self.level)
        else:
            self.tap(self.anywhere())

    def play_action(self):
        rng = self.rng
        solution = self.solutions.get(self.level)
        roll = rng.random()
        if roll < 0.55 and solution is not None:
            order = list(solution)
            in_tray = rng.random() < 0.7
            if in_tray:
                order.reverse()
            for kind, cell, rot in order:
                self.place(kind, cell, rot, in_tray)
                if rng.random() < 0.05:
                    self.noise()
            self.mode = "solved"
        elif roll < 0.7:
            # pieces anywhere: often the water finds a hazard
            for _ in range(rng.randint(1, 5)):
                slots = [k for k, v in enumerate(self.tray) if v is not None]
                if not slots:
                    break
                slot = rng.choice(slots)
                cell = rng.randrange(100)
                self.drag(self.slot_point(slot, 4), self.cell_point(cell, 4))
                for _ in range(rng.randrange(8)):
                    self.cmd("rotate-cw")
                self.tray[slot] = None
            self.mode = "unknown-play"
        elif roll < 0.78:
            self.cmd("password")
            self.password_entry()
        elif roll < 0.85:
            self.to_menu()
        else:
            for _ in range(rng.randint(1, 6)):
                self.noise()

    def outcome_action(self):
        rng = self.rng
        if rng.random() < 0.5:
            self.shot()
        roll = rng.random()
        if roll < 0.7:
            self.tap(self.item_point(12))  # continue and retry share a place
            if self.mode == "solved":
                if self.level + 1 < len(self.levels):
                    self.start_play(self.level + 1)
                else:
                    self.mode = "menu"
            else:
                self.start_play(self.level)
        elif roll < 0.8:
            self.cmd("restart")
            self.start_play(self.level)
        elif roll < 0.9:
            self.to_menu()
        else:
            self.noise()

    def run(self, steps):
        for _ in range(steps):
            if self.mode == "closed":
                break
            if self.mode == "menu":
                self.menu_action()
            elif self.mode == "play":
                self.play_action()
            elif self.mode in ("solved", "failed"):
                self.outcome_action()
            elif self.mode == "unknown-play":
                # solved, failed or still in play: the continue/retry place,
                # then back to a known state
                if self.rng.random() < 0.5:
                    self.tap(self.item_point(12))
                    self.cmd("dump")
                self.to_menu()
                self.mode = "menu"
            else:
                self.cmd("dump")
                self.to_menu()
                self.mode = "menu"
        self.lines.append("dump")
        self.shot()
        return self.lines


def make_session(seed, layout, levels, solutions):
    rng = random.Random(seed * 7919)
    session = Session(seed, layout, levels, solutions)
    # Most sessions start somewhere deep: a level reached by password.
    if rng.random() < 0.6:
        session.cmd("tap %d %d" % centre(layout[5]))
        target = rng.randrange(len(levels))
        keypad = layout[23]
        for ch in levels[target]["password"]:
            session.cmd("tap %d %d" % (keypad[0] + 20 * KEYS.index(ch) + 10, keypad[1] + 10))
        session.cmd("tap %d %d" % centre(layout[20]))
        session.start_play(target)
    return session.run(rng.randint(4, 20))


# ---- running a session --------------------------------------------------------

def fnv64(data):
    h = 0xcbf29ce484222325
    for b in data:
        h ^= b
        h = (h * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return h


def shot_digest(path, quick=False):
    """FNV-1a 64 of a shot's pixel bytes (from the BMP's pixel offset on), as
    the replay test computes it; quick: a SHA-1 of them, for comparing two
    games, where only equality counts."""
    if not os.path.exists(path):
        return "none"
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    if quick:
        return hashlib.sha1(data[offset:]).hexdigest()
    return "%016x" % fnv64(data[offset:])


def run_session(binary, lines, quick=False):
    """The game's exit status, its output lines and its shots' digests."""
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "script.txt"), "w") as f:
            f.write("\n".join(lines) + "\n")
        done = subprocess.run([binary, "--script", "script.txt"], cwd=folder, capture_output=True, text=True)
        shots = sum(1 for line in lines if line.startswith("shot "))
        digests = [shot_digest(os.path.join(folder, "shot-%d.bmp" % (i + 1)), quick) for i in range(shots)]
    return done.returncode, done.stdout.splitlines(), digests


def load_inputs(build):
    data = os.path.join(build, "data")
    layout = read_layout(os.path.join(data, "qw_layout.dat"))
    levels = read_levels(os.path.join(data, "qw_levels.dat"))
    solutions = read_solutions(os.path.join(build, "quenchway-levels"), os.path.join(data, "qw_levels.dat"))
    return layout, levels, solutions


DUMP_LINES = 19  # "mode" to "row9": what the game printed when recorded


def known_lines(out):
    """The output with the lines that a newer game appends to a dump left out,
    as the replay test reads it."""
    known = []
    i = 0
    while i < len(out):
        if out[i].startswith("mode "):
            known.extend(out[i:i + DUMP_LINES])
            i += DUMP_LINES
            while i < len(out) and not out[i].startswith(("mode ", "message: ")) and out[i] != "closed":
                i += 1
        else:
            known.append(out[i])
            i += 1
    return known


def record(build):
    inputs = load_inputs(build)
    binary = os.path.join(build, "quenchway")
    with open(SESSIONS, "w") as sessions, open(EXPECTED, "w") as expected:
        for seed in range(1, RECORDED_SESSIONS + 1):
            lines = make_session(seed, *inputs)
            status, out, digests = run_session(binary, lines)
            sessions.write("session %d\n" % seed + "".join(line + "\n" for line in lines) + "end\n")
            expected.write("session %d status %d\n" % (seed, status) + "".join(line + "\n" for line in known_lines(out)))
            expected.write("shots" + "".join(" " + d for d in digests) + "\nend\n")
    print("recorded %d sessions" % RECORDED_SESSIONS)


def dump_keys(out):
    """The first words of the lines a game prints in a dump, from "mode" on."""
    keys = set()
    for i, line in enumerate(out):
        if line.startswith("mode "):
            for later in out[i + 1:]:
                if later.startswith(("mode ", "message: ", "bar: ")) or later == "closed":
                    break
                keys.add(later.split(" ")[0])
            keys.add("mode")
            break
    return keys


def same_dumps(old_out, new_out):
    """The new output without the dump lines that a newer game appends and
    the old game does not print, so that only real differences count."""
    old_keys = dump_keys(old_out)
    if not old_keys:
        return new_out
    new_only = dump_keys(new_out) - old_keys
    return [line for line in new_out if line.split(" ")[0] not in new_only]


def compare(old, new, count, first):
    inputs = load_inputs(old)
    differ = 0
    unstable = 0
    stats = {"solved": 0, "failed": 0, "closed": 0, "shots": 0}
    for seed in range(first, first + count):
        lines = make_session(seed, *inputs)
        a = run_session(os.path.join(old, "quenchway"), lines, quick=True)
        b = run_session(os.path.join(new, "quenchway"), lines, quick=True)
        b = (b[0], same_dumps(a[1], b[1]), b[2])
        stats["shots"] += len(a[2])
        stats["closed"] += "closed" in a[1]
        stats["solved"] += sum(1 for line in a[1] if line.startswith("message: Password"))
        stats["failed"] += sum(1 for line in a[1] if line == "mode 4")
        if a != b and a == run_session(os.path.join(old, "quenchway"), lines, quick=True):
            differ += 1
            print("session %d differs" % seed, flush=True)
        elif a != b:
            unstable += 1  # a random level with a fresh seed: the old game differs from itself
        if (seed - first + 1) % 100 == 0:
            print("%d sessions compared, %d differ" % (seed - first + 1, differ), flush=True)
    print("%d sessions compared, %d differ, %d play a fresh random level and differ from themselves; old run: "
          "%d passwords shown, %d failed dumps, %d closed, %d shots"
          % (count, differ, unstable, stats["solved"], stats["failed"], stats["closed"], stats["shots"]))
    return 1 if differ else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    r = sub.add_parser("record")
    r.add_argument("build")
    c = sub.add_parser("compare")
    c.add_argument("old")
    c.add_argument("new")
    c.add_argument("--count", type=int, default=1000)
    c.add_argument("--first", type=int, default=100000)
    args = parser.parse_args()
    if args.command == "record":
        record(args.build)
        return 0
    return compare(args.old, args.new, args.count, args.first)


if __name__ == "__main__":
    sys.exit(main())
