#!/usr/bin/env python3
"""The before/after table of RESULTS.md from two results files of run.py:
  table.py BEFORE.tsv AFTER.tsv"""
import sys


def read(path):
    """Fault -> (status, failing tests); a test that failed on the clean tree
    too (a flaky one) is not counted as catching anything."""
    rows = {}
    for line in open(path):
        parts = line.rstrip("\n").split("\t")
        if len(parts) >= 2:
            rows[parts[0]] = (parts[1], parts[3].split() if len(parts) > 3 else [])
    flaky = set(rows.get("(clean)", ("", []))[1])
    for name, (status, tests) in rows.items():
        if name != "(clean)" and status == "caught":
            tests = [t for t in tests if t not in flaky]
            rows[name] = ("caught" if tests else "MISSED", tests)
    return rows


def cell(row):
    if row is None:
        return "not run"
    status, tests = row
    if status != "caught":
        return status
    shown = ", ".join(tests[:3]) + (" (+%d)" % (len(tests) - 3) if len(tests) > 3 else "")
    return "caught by %d: %s" % (len(tests), shown)


def main():
    before, after = read(sys.argv[1]), read(sys.argv[2])
    names = [n for n in before if n != "(clean)"] + [n for n in after if n not in before and n != "(clean)"]
    print("| fault | before | after |")
    print("|---|---|---|")
    for n in names:
        print("| %s | %s | %s |" % (n, cell(before.get(n)), cell(after.get(n))))
    lost = [n for n in names if before.get(n, ("",))[0] == "caught" and after.get(n, ("",))[0] == "MISSED"]
    print("\nCaught before, missed after: %s" % (", ".join(lost) or "none"))


if __name__ == "__main__":
    main()
