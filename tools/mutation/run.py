#!/usr/bin/env python3
"""Plants each fault of faults/ in a worktree, one at a time, rebuilds,
runs the normal suite and records which tests fail; the fault is then
taken out again. See README.md."""
import argparse
import os
import re
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# The sanitizer build, the fuzz targets and the browser test are make
# targets, not ctest tests; the install tests copy the whole build and find
# no fault of their own here, so they stay out.
EXCLUDE_LABELS = "install"


def run(cmd, cwd=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, timeout=timeout)


def build(build_dir, jobs):
    r = run(["nice", "-n", "5", "cmake", "--build", build_dir, "-j", str(jobs)])
    return r.returncode == 0, r.stdout[-3000:] + r.stderr[-3000:]


def failing_tests(build_dir, jobs, labels, timeout, whole):
    cmd = ["nice", "-n", "5", "ctest", "--test-dir", build_dir, "-j", str(jobs), "--timeout", str(timeout),
           "-LE", labels]
    # A fault may make a test hang past its own time limit (the golden
    # sessions allow ten minutes): the whole run is cut off, and counts as
    # caught.
    p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, start_new_session=True)
    try:
        out, _ = p.communicate(timeout=whole)
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.communicate()
        return ["suite-timed-out"]
    r = subprocess.CompletedProcess(cmd, p.returncode, out, "")
    failed = []
    seen = False
    for line in r.stdout.splitlines():
        if line.startswith("The following tests FAILED"):
            seen = True
        elif seen:
            m = re.match(r"\s*\d+ - (\S+) \((.*)\)", line)
            if m:
                failed.append(m.group(1))
    if r.returncode != 0 and not failed:
        failed.append("ctest-error")
    return failed


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("worktree", help="the checkout to plant the faults in (left clean afterwards)")
    ap.add_argument("--build", help="its configured build folder (default: WORKTREE/build)")
    ap.add_argument("--results", required=True, help="file the results are appended to; faults already in it are skipped")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, default=120, help="seconds a single test may take")
    ap.add_argument("--whole", type=int, default=900, help="seconds the whole suite may take")
    ap.add_argument("--no-e2e", action="store_true", help="leave out the tests in a real X window too")
    ap.add_argument("faults", nargs="*", help="fault names (default: all in faults/)")
    a = ap.parse_intermixed_args()
    wt = os.path.abspath(a.worktree)
    build_dir = os.path.abspath(a.build or os.path.join(wt, "build"))
    labels = EXCLUDE_LABELS + ("|e2e" if a.no_e2e else "")
    names = a.faults or sorted(f[:-5] for f in os.listdir(os.path.join(HERE, "faults")) if f.endswith(".diff"))
    done = set()
    if os.path.exists(a.results):
        done = {line.split("\t")[0] for line in open(a.results) if line.strip()}

    def record(name, status, tests, seconds):
        with open(a.results, "a") as out:
            out.write(f"{name}\t{status}\t{seconds:.0f}s\t{' '.join(tests)}\n")
        print(f"{name}: {status} {' '.join(tests)}", flush=True)

    if "(clean)" not in done:
        t = time.time()
        ok, log = build(build_dir, a.jobs)
        if not ok:
            sys.exit("the clean tree does not build:\n" + log)
        failed = failing_tests(build_dir, a.jobs, labels, a.timeout, a.whole)
        record("(clean)", "fails" if failed else "passes", failed, time.time() - t)
    for name in names:
        if name in done:
            continue
        diff = os.path.join(HERE, "faults", name + ".diff")
        t = time.time()
        r = run(["git", "apply", diff], cwd=wt)
        if r.returncode != 0:
            record(name, "does-not-apply", [], 0)
            continue
        try:
            ok, log = build(build_dir, a.jobs)
            if not ok:
                record(name, "does-not-build", [], time.time() - t)
                continue
            failed = failing_tests(build_dir, a.jobs, labels, a.timeout, a.whole)
            record(name, "caught" if failed else "MISSED", failed, time.time() - t)
        finally:
            if run(["git", "apply", "-R", diff], cwd=wt).returncode != 0:
                sys.exit(f"could not take {name} out again: check {wt} by hand")
    build(build_dir, a.jobs)  # leave the build matching the clean tree


if __name__ == "__main__":
    main()
