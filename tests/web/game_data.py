"""The shipped game's data as the browser and install tests need it: layout rectangles,
levels, solutions from quenchway-levels, the scripts to run through both
builds, and 24-bit BMP files read back as RGB rows."""

import os
import struct
import subprocess

LAYOUT_Y_OFFSET = 26          # layout rows count from the handheld's title bar
TRAY, BOARD, CONTINUE, MENU_CONTINUE, SOLVED_BEST = 16, 17, 12, 26, 39
KINDS = {"elbow": 0, "bend": 8, "splitter": 16}
BAR_TOP = 268                 # the command bar below the client area
SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scripts")


def meaningful_lines(path):
    with open(path, "rb") as f:
        text = f.read().decode("latin-1")
    return [line for line in text.split("\r\n") if line.strip() and not line.startswith(";")]


def read_bmp24(path):
    """A bottom-up 24-bit BMP as RGB bytes, top row first."""
    with open(path, "rb") as f:
        b = f.read()
    offset, = struct.unpack_from("<I", b, 10)
    width, height = struct.unpack_from("<ii", b, 18)
    row_bytes = (width * 3 + 3) // 4 * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = b[offset + y * row_bytes: offset + y * row_bytes + width * 3]
        for x in range(0, width * 3, 3):
            out += bytes((row[x + 2], row[x + 1], row[x]))
    return bytes(out)


def layout_items(path):
    """The layout's items as (x, y, w, h) in client pixels."""
    items = []
    for line in meaningful_lines(path):
        x, y, w, h = (int(v) for v in line.split(",")[:4])
        items.append((x, y - LAYOUT_Y_OFFSET, w, h))
    return items


class GameData:
    def __init__(self, source, levels_tool):
        self.items = layout_items(os.path.join(source, "data", "qw_layout.dat"))
        lines = meaningful_lines(os.path.join(source, "data", "qw_levels.dat"))
        self.levels = [lines[i:i + 7] for i in range(0, len(lines) - 6, 7)]
        levels_file = os.path.join(source, "data", "qw_levels.dat")
        solved = subprocess.run([levels_tool, "solve", levels_file], capture_output=True, text=True, check=True)
        self.solutions = {}
        for line in solved.stdout.splitlines():
            head, _, pieces = line.partition(": ")
            pieces = [] if pieces == "(no pieces)" else pieces.split()
            self.solutions[int(head.split()[1])] = [
                (KINDS[p.split("@")[0]], int(p.split("@")[1].split("/")[0]), int(p.split("/r")[1])) for p in pieces]

    def centre(self, item):
        x, y, w, h = self.items[item]
        return (x + w // 2, y + h // 2)

    def password(self, level):
        return self.levels[level - 1][1]

    @staticmethod
    def toolbar_button_centre(i):
        return (3 + 24 * i + 11, BAR_TOP + 4 + 10)

    def placements(self, level):
        """(tray slot point, board cell point, clockwise turns) for each piece
        of the level's solution, last reached first, so that no half-built
        path sends the water anywhere it would not go in the end."""
        counts = [int(v) for v in self.levels[level - 1][2].split(",")]
        tray_kinds = [kind for kind, n in zip((0, 8, 16), counts) for _ in range(n)][:10]
        tx, ty = self.items[TRAY][:2]
        bx, by = self.items[BOARD][:2]
        plan = []
        for kind, cell, turns in reversed(self.solutions[level]):
            slot = tray_kinds.index(kind)
            tray_kinds[slot] = -1
            plan.append(((tx + 1 + 21 * slot + 10, ty + 11),
                         (bx + 1 + 21 * (cell % 10) + 10, by + 1 + 21 * (cell // 10) + 10), turns))
        return plan

    def play_through(self, last=None):
        """The game from the menu to the end (or the end of level `last`),
        in script commands."""
        script = "tap %d %d\n" % self.centre(3)
        for level in range(1, (last or len(self.levels)) + 1):
            for slot, cell, turns in self.placements(level):
                script += "tap %d %d\n" % slot + "rotate-cw\n" * turns
                script += "drag %d %d %d %d\n" % (slot + cell)
            script += "dump\ntap %d %d\n" % self.centre(CONTINUE)
        return script + "dump\n"

    def scripts(self):
        found = [(name, open(os.path.join(SCRIPTS, name)).read()) for name in sorted(os.listdir(SCRIPTS))]
        return found + [("(the whole game played through)", self.play_through())]


if __name__ == "__main__":  # the first level played, for the install tests: SHARE_DIR LEVELS_TOOL
    import sys
    print(GameData(sys.argv[1], sys.argv[2]).play_through(1), end="")
