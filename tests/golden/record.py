#!/usr/bin/env python3
"""Golden sessions of the game in script mode.

sessions.txt keeps the scripts (random play from fixed seeds: menu, drags,
taps, turns, restarts, passwords, levels solved and failed, with `dump` and
`shot` at random points); expected.txt keeps what the game printed for
each, every shot replaced by a digest of its pixels, so that the replay test
(golden_test.cpp) can tell whether a build still behaves exactly the same.

  record BUILD   runs every session through BUILD/quenchway and writes
                 expected.txt anew (the one command after a deliberate change)
"""

import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SESSIONS = os.path.join(HERE, "sessions.txt")
EXPECTED = os.path.join(HERE, "expected.txt")
DUMP_LINES = 19  # "mode" to "row9": what the game printed when recorded


def read_sessions():
    sessions, lines = [], None
    with open(SESSIONS) as f:
        for line in f.read().splitlines():
            if line.startswith("session "):
                lines = []
            elif line == "end":
                sessions.append(lines)
            else:
                lines.append(line)
    return sessions


def shot_digest(path):
    """FNV-1a 64 of a shot's pixel bytes (from the BMP's pixel offset on), as
    the replay test computes it."""
    if not os.path.exists(path):
        return "none"
    with open(path, "rb") as f:
        data = f.read()
    h = 0xcbf29ce484222325
    for b in data[int.from_bytes(data[10:14], "little"):]:
        h = ((h ^ b) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % h


def known_lines(out):
    """The output with the lines that a newer game appends to a dump left out,
    as the replay test reads it."""
    known, i = [], 0
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
    binary = os.path.join(os.path.abspath(build), "quenchway")
    sessions = read_sessions()
    with open(EXPECTED, "w") as expected:
        for n, lines in enumerate(sessions, 1):
            with tempfile.TemporaryDirectory() as folder:
                with open(os.path.join(folder, "script.txt"), "w") as f:
                    f.write("\n".join(lines) + "\n")
                done = subprocess.run([binary, "--script", "script.txt"], cwd=folder, capture_output=True, text=True)
                shots = sum(1 for line in lines if line.startswith("shot "))
                digests = [shot_digest(os.path.join(folder, "shot-%d.bmp" % (i + 1))) for i in range(shots)]
            expected.write("session %d status %d\n" % (n, done.returncode))
            expected.write("".join(line + "\n" for line in known_lines(done.stdout.splitlines())))
            expected.write("shots" + "".join(" " + d for d in digests) + "\nend\n")
    print("recorded %d sessions" % len(sessions))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    sub.add_parser("record").add_argument("build")
    args = parser.parse_args()
    record(args.build)
    return 0


if __name__ == "__main__":
    sys.exit(main())
