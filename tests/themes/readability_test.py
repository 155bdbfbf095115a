#!/usr/bin/python3
"""Readability of every theme, measured on the game's own rendered screens.

Script mode plays a level in each theme and writes its play, solved (with
the password's message box), failed and chooser screens. Every region is
found from the layout and the board's geometry (cells of 20 pixels on a
pitch of 21 inside the tray and board items), never from the game's colours.

For each element against what surrounds it:
- WCAG 2.x contrast (sRGB linearisation): at least 3:1, text 4.5:1. An
  element's ratio is the 90th percentile over its pixels, so that a tenth of
  them (about 40 in a cell: its outline or body) must reach it.
- after simulating protanopia and deuteranopia (Machado et al. 2009,
  severity 1.0, colorspacious) and tritanopia (Brettel et al. 1997), the
  CAM02-UCS difference, 90th percentile likewise: at least 10.
- pairs a player could confuse (fire and doused fire, water and a dry pipe's
  bore) differ by at least 10 after each simulation, between their mean
  colours.
Classic keeps its first look pixel for pixel: its grey caption (94, 94, 94
on 153, 153, 255, 2.6:1 where text needs 4.5:1), the white title of its
message box (2.2:1) and the orange keyboard cursor (1.6:1; a frame of two
pixels, its shape tells it) are reported, not required.

usage: readability_test.py GAME (its data folder beside it)
"""
import os
import subprocess
import sys
import tempfile

import numpy as np
from colorspacious import cspace_convert

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
from game_data import layout_items, read_bmp24  # noqa: E402

MIN_CONTRAST, MIN_TEXT_CONTRAST, MIN_DIFFERENCE = 3.0, 4.5, 10.0
THEMES = ("classic", "dark", "contrast")
# Classic's shortfalls that its fixed colours leave no room for.
CLASSIC_KEPT = {"caption", "box title", "keyboard cursor"}
SIMULATIONS = ("protanopia", "deuteranopia", "tritanopia")

# Level 12 (password REINS): a bend turns the nozzle's water east into a
# fire; the keyboard cursor on the cell above. Then an elbow sends it into
# lightning; then the hints solve it (the password's box); then the chooser.
TURN = "tap 151 167\n"  # the board cell (6, 5): a drop there, a tap turns it
SCRIPT = ("tap 120 159\ntap 150 168\ntap 70 168\ntap 90 168\ntap 130 168\ntap 170 168\n"
          "tap 194 210\ndrag 67 30 151 167\n" + TURN * 6 + "frame {dir}/play.bmp\n"
          "key Right\nkey Up\nframe {dir}/cursor.bmp\n"
          "restart\ndrag 25 30 151 167\n" + TURN * 3 + "frame {dir}/failed.bmp\n"
          "tap 194 25\nset boxes open\n" + "hint\n" * 6 + "wait 3000\nframe {dir}/solved.bmp\n"
          "key Return\nframe {dir}/box.bmp\nkey Return\nkey Escape\ntap 68 67\n"
          "frame {dir}/chooser.bmp\n")


def linear(rgb):
    c = np.asarray(rgb, float) / 255
    return np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)


def luminance(rgb):
    return linear(rgb) @ np.array([0.2126, 0.7152, 0.0722])


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (np.maximum(la, lb) + 0.05) / (np.minimum(la, lb) + 0.05)


# Brettel, Viénot and Mollon 1997 for tritanopia, as two half-planes in
# linear sRGB (the tables of libDaltonLens).
TRITAN = (np.array([[1.01277, 0.13548, -0.14826], [-0.01243, 0.86812, 0.14431],
                    [0.07589, 0.80500, 0.11911]]),
          np.array([[0.93678, 0.18979, -0.12657], [0.06154, 0.81526, 0.12320],
                    [-0.37562, 1.12767, 0.24796]]),
          np.array([0.03901, -0.02788, -0.01113]))


def simulate(rgb, kind):
    rgb = np.atleast_2d(np.asarray(rgb, float))
    if kind == "tritanopia":
        lin = linear(rgb)
        first, second, normal = TRITAN
        out = np.where((lin @ normal >= 0)[:, None], lin @ first.T, lin @ second.T)
        out = np.clip(out, 0, 1)
        srgb = np.where(out <= 0.0031308, out * 12.92, 1.055 * out ** (1 / 2.4) - 0.055)
        return np.clip(srgb, 0, 1)
    space = {"name": "sRGB1+CVD", "cvd_type": kind[:-4] + "omaly", "severity": 100}
    return np.clip(cspace_convert(rgb / 255, space, "sRGB1"), 0, 1)


def ucs(srgb1):
    return cspace_convert(srgb1, "sRGB1", "CAM02-UCS")


def difference(pixels, surround, kind, share):
    """The share-th percentile CAM02-UCS difference of pixels from the surround."""
    a = ucs(simulate(pixels, kind))
    b = ucs(simulate(surround, kind))
    return np.percentile(np.linalg.norm(a - b, axis=1), share)


def mean_difference(a, b, kind):
    return float(np.linalg.norm(ucs(simulate(a, kind)).mean(0) - ucs(simulate(b, kind)).mean(0)))


def mode(pixels):
    values, counts = np.unique(pixels.reshape(-1, 3), axis=0, return_counts=True)
    return values[counts.argmax()]


def region(image, x, y, w, h):
    return image[y:y + h, x:x + w].reshape(-1, 3)


def ring(image, x, y, size, first, last):
    """The pixels from inset `first` to inset `last` of a square."""
    block = image[y:y + size, x:x + size]
    mask = np.zeros((size, size), bool)
    mask[first:size - first, first:size - first] = True
    mask[last + 1:size - last - 1, last + 1:size - last - 1] = False
    return block[mask]


class Screens:
    def __init__(self, game, theme, folder):
        subprocess.run([game, "--script", "-", "--theme", theme], check=True, text=True,
                       input=SCRIPT.format(dir=folder), stdout=subprocess.DEVNULL)
        self.shots = {name: np.frombuffer(read_bmp24(os.path.join(folder, name + ".bmp")), np.uint8)
                      .reshape(-1, 240, 3).astype(float)
                      for name in ("play", "cursor", "failed", "solved", "box", "chooser")}
        self.items = layout_items(os.path.join(os.path.dirname(game), "data", "qw_layout.dat"))

    def cell(self, shot, col, row):
        """A board cell (row -1: a tray slot), 20 by 20 on a pitch of 21."""
        x, y = self.items[16 if row < 0 else 17][:2]
        left, top = x + 1 + 21 * col, y + 1 + 21 * max(row, 0)
        return self.shots[shot][top:top + 20, left:left + 20]

    def item(self, shot, index, inset=0):
        x, y, w, h = self.items[index]
        return self.shots[shot][y + inset:y + h - inset, x + inset:x + w - inset]


def elements(s):
    """(name, pixels, surround, minimum contrast) of every element measured."""
    panel = mode(s.cell("play", 2, 0))  # an empty cell
    background = mode(s.item("play", 0)[:, :10])  # the client's left edge
    flat = lambda a: a.reshape(-1, 3)
    water_line = s.cell("play", 7, 5)[9:11, 2:18]  # water crosses the cell eastwards
    box = np.argwhere((s.shots["box"] != s.shots["solved"]).any(axis=2))
    (top, left), (bottom, right) = box.min(0), box.max(0)
    box_panel = s.shots["box"][top:bottom - 3, left:right - 3]  # without the shadow
    box_fill = mode(box_panel)
    band = box_panel[2:15, 2:-2]
    listing = s.item("chooser", 31)[:120]  # the daily puzzle and the random levels
    yield from [
        ("nozzle", flat(s.cell("play", 5, 4)), panel, MIN_CONTRAST),
        ("fire", flat(s.cell("play", 4, 5)), panel, MIN_CONTRAST),
        ("doused fire", flat(s.cell("play", 8, 5)), panel, MIN_CONTRAST),
        ("lightning", flat(s.cell("play", 3, 6)), panel, MIN_CONTRAST),
        ("wall", flat(s.cell("play", 4, 4)), panel, MIN_CONTRAST),
        ("water", flat(water_line), panel, MIN_CONTRAST),
        ("dry pipe", flat(s.cell("play", 0, -1)), panel, MIN_CONTRAST),
        ("selection", ring(s.cell("play", 6, 5), 0, 0, 20, 0, 1), panel, MIN_CONTRAST),
        ("keyboard cursor", ring(s.cell("cursor", 6, 4), 0, 0, 20, 0, 1), panel, MIN_CONTRAST),
        ("hazard frame", ring(s.cell("failed", 5, 6), 0, 0, 20, 1, 2), panel, MIN_CONTRAST),
        ("retry button", flat(s.item("failed", 13)), background, MIN_CONTRAST),
        ("caption", flat(s.shots["play"][0:s.items[16][1], 14:90]), background,
         MIN_TEXT_CONTRAST),
        ("failed banner", flat(s.item("failed", 19, 4)[:, 30:]), mode(s.item("failed", 19, 4)),
         MIN_TEXT_CONTRAST),
        ("solved banner", flat(s.item("solved", 18, 4)[:, 30:]), mode(s.item("solved", 18, 4)),
         MIN_TEXT_CONTRAST),
        ("box text", flat(box_panel[18:-30, 4:-4]), box_fill, MIN_TEXT_CONTRAST),
        ("box title", flat(band), mode(band), MIN_TEXT_CONTRAST),
        ("chooser text", flat(listing), mode(listing), MIN_TEXT_CONTRAST),
    ]


def pairs(s):
    """Elements of one shape that only colour tells apart: their mean colours."""
    centre = lambda a: a[9:11, 9:11].reshape(-1, 3)
    yield ("fire / doused fire", s.cell("play", 4, 5).reshape(-1, 3),
           s.cell("play", 8, 5).reshape(-1, 3))
    yield ("water / dry pipe", centre(s.cell("play", 6, 5)), centre(s.cell("play", 0, -1)))


def main():
    game = os.path.abspath(sys.argv[1])
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        for theme in THEMES:
            screens = Screens(game, theme, folder)
            lowest, smallest = (99.0, ""), (999.0, "")
            for name, pixels, surround, minimum in elements(screens):
                # Text needs its ink only: a few of the pixels reach it.
                share = 98 if minimum == MIN_TEXT_CONTRAST else 90
                ratio = float(np.percentile(contrast(pixels, surround), share))
                diff = min(difference(pixels, surround, k, share) for k in SIMULATIONS)
                kept = theme == "classic" and name in CLASSIC_KEPT
                print(f"{theme:9} {name:16} contrast {ratio:5.2f}  simulated difference {diff:5.1f}"
                      + ("  (kept from the first look)" if kept else ""))
                if kept:
                    continue
                lowest = min(lowest, (ratio, name))
                smallest = min(smallest, (diff, name))
                if ratio < minimum:
                    faults.append(f"{theme}: {name} contrast {ratio:.2f} below {minimum}")
                if diff < MIN_DIFFERENCE:
                    faults.append(f"{theme}: {name} simulated difference {diff:.1f}")
            for name, a, b in pairs(screens):
                diff = min(mean_difference(a, b, k) for k in SIMULATIONS)
                print(f"{theme:9} {name:16} simulated difference {diff:5.1f}")
                smallest = min(smallest, (diff, name))
                if diff < MIN_DIFFERENCE:
                    faults.append(f"{theme}: {name} simulated difference {diff:.1f}")
            print(f"{theme}: lowest contrast {lowest[0]:.2f} ({lowest[1]}), smallest simulated "
                  f"difference {smallest[0]:.1f} ({smallest[1]})")
    for fault in faults:
        print("FAIL", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
