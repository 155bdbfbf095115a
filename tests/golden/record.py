#!/usr/bin/env python3
"""Golden sessions of the game in script mode.

sessions.txt keeps the scripts (random play from fixed seeds: menu, drags,
taps, turns, restarts, passwords, levels solved and failed, with `dump` and
`shot` at random points; after them, sessions written by hand: hints, undo,
the keys, the running water and its sounds, settings, message boxes and the
bar under the pointer, tooltips, shared codes, bad script lines);
expected.txt keeps what the game printed for each, every shot or `frame`
replaced by a digest of its pixels, so that the replay test
(golden_test.cpp) can tell whether a build still behaves exactly the same.

  record BUILD   runs every session through BUILD/quenchway and writes
                 expected.txt anew (the one command after a deliberate change);
                 the replay test's own program does it, so that both read
                 the output and the shots alike
"""

import os
import subprocess
import sys

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] != "record":
        sys.exit(__doc__)
    replay = os.path.join(os.path.abspath(sys.argv[2]), "tests", "golden", "qw_golden_tests")
    sys.exit(subprocess.run([replay, "--record"]).returncode)
