"""Every data file removed, emptied or given a garbage line, replaced by a directory or by a
symlink loop in turn: the game either starts and
runs until Q (status 0) or refuses with status 1 and a line naming the problem on standard error
(standard output keeps only the written lines); it never crashes,
and orrisk-check reports a problem exactly when the game refuses, and warns about a sprite or the
font exactly when the game reports it cannot load it. Then a few edits a modder makes, each with
the lines the game and the checker must both print."""

import os
import re
import shutil
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

TABLES = ["weapondata.txt", "shipdata.txt", "playerdata.txt", "stardata.txt", "planetdata.txt",
          "wormholedata.txt"]
EMITTERS = ["emitterShade0.txt", "emitterShade1.txt"]
SHADERS = ["shader0.vs", "shader0.fs", "shader1.vs", "shader1.fs"]
CHECKED = TABLES + EMITTERS + SHADERS
SPRITES = ["player.png", "dust.png", "flame.tga", "map.png"]
OTHERS = ["subatomic.tsoonami.ttf"] + SPRITES
GARBAGE = "%garbage& 3.5.5 ~~ @!"
STARTED = "Done with that, now starting main loop"
# A problem line: "file:line: message" or "file: message".
PROBLEM = re.compile(r"^[^\s:]+(:\d+)?: ")
FONT_FAILURES = ("Error initializing face", "the font file could be opened", "Error setting font",
                 "Error loading character")
# The lines that specified failures end with; every other refusal names the file it is about.
FAILURE_LINES = {"Error opening file", "Stardata read failure", "planetdata read failure",
                 "wormhole read failure"}


def remove(game, name):
    game.remove_file(name)


def empty(game, name):
    game.write_file(name, "")


def garble(game, name):
    with open(game.path(name), "ab") as f:
        f.write(("\n" + GARBAGE + "\n").encode())


def directory(game, name):
    game.remove_file(name)
    os.mkdir(game.path(name))


def symlink_loop(game, name):
    game.remove_file(name)
    os.symlink(name, game.path(name))


FAULTS = {"removed": remove, "emptied": empty, "garbage": garble, "dir": directory,
          "loop": symlink_loop}


def wait_frames(game, frames, timeout=60):
    deadline = time.monotonic() + timeout
    while game.count_line("Processing wormholes") < frames and game.running():
        if time.monotonic() > deadline:
            return
        time.sleep(0.05)


def check_and_run(game):
    """Runs orrisk-check on the scratch directory, then the game until Q or its refusal; returns
    the checker's run, the game's status and its standard output and standard error lines."""
    checker = subprocess.run([os.path.join(game.runtime_dir, "orrisk-check"), game.work_dir],
                             capture_output=True, text=True, timeout=120)
    game.start()
    # Limits for a slow, busy machine (and the sanitizer build): a start takes about a second.
    deadline = time.monotonic() + 120
    while game.running() and STARTED not in game.lines() and time.monotonic() < deadline:
        time.sleep(0.05)
    if game.running():
        wait_frames(game, 5)
        game.key("q")
    return checker, game.wait_exit(timeout=60), game.lines(), game.stderr().splitlines()


def run_case(name, fault):
    """Returns (outcome, problem text or None)."""
    with Game() as game:
        FAULTS[fault](game, name)
        checker, status, lines, err = check_and_run(game)
        found = checker.stdout.splitlines()
        errors = []
        if any(PROBLEM.match(line) for line in lines):
            errors.append("a problem line on standard output")
        if status not in (0, 1):
            errors.append("status %r (a crash or a hang)\n%s" % (status, game.crash_report()))
        if status == 0 and lines.count("Processing wormholes") < 5:
            errors.append("quit before running frames")
        if status == 1:
            if STARTED in lines:
                errors.append("refused after starting")
            named = any(PROBLEM.match(line) and name in line for line in err)
            if not named and (not lines or lines[-1] not in FAILURE_LINES):
                errors.append("refused without a line naming the problem")
        if name in CHECKED and (checker.returncode == 1) != (status == 1):
            errors.append("orrisk-check says %d:\n%s" % (checker.returncode, checker.stdout))
        if name in TABLES and fault == "removed" and not all(
                name + ": cannot be opened" in out for out in (err, found)):
            errors.append("a missing table is not named by both:\n" + checker.stdout)
        if name in TABLES and fault == "garbage" and not any(
                line.startswith(name + ":") and ": warning: " in line for line in found):
            errors.append("no warning about the garbage:\n" + checker.stdout)
        # The game runs without a sprite or the font; the checker warns exactly when it fails.
        if name in OTHERS:
            failed = ("SOIL loading error on %s: " % name in "\n".join(lines) if name in SPRITES
                      else any(line.startswith(FONT_FAILURES) for line in lines))
            warned = any(line.startswith(name + ": warning: ") for line in found)
            if checker.returncode != 0 or failed != warned:
                errors.append("orrisk-check and the game disagree about it:\n" + checker.stdout)
        outcome = {0: "runs", 1: "refused"}.get(status, "status %r" % status)
        tail = "\n".join(lines[-5:] + err[-5:])
        return outcome, ("%s %s: %s\n%s" % (name, fault, "; ".join(errors), tail)
                         if errors else None)


def change(game, name, how):
    """Removes the file (how None), copies another over it ("=other"), puts how before its
    first line ("^text") or appends how to it; returns the line the change is on."""
    if how is None:
        game.remove_file(name)
        return 0
    if how.startswith("="):
        shutil.copy(game.path(how[1:]), game.path(name))
        return 13  # row 11 of set 0, the program index, in both shipped emitter files
    with open(game.path(name)) as f:
        old = f.read()
    if how.startswith("^"):
        game.write_file(name, how[1:] + old)
        return 1
    game.write_file(name, old + how)
    return old.count("\n") + 1


ROW = "0 0 0 100 1 0 99 @Bad\n"
# (what, file, change, status of both, lines both print (warnings only the checker), texts
# neither may print).
EDITS = [
    ("gate to an empty system below the highest", "wormholedata.txt",
     "0 50000 50000 500 6 0 0 1\n7 0 0 500 0 0 0 1\n", 0, [], []),
    ("planet of no star", "planetdata.txt", "99 nan 1 500 0 0 0 0 99 @Nowhere\n", 0,
     ["planetdata.txt:{line}: warning: row 16: star row 99 does not exist"], ["Nowhere"]),
    ("flame naming the swirl's program", "emitterShade0.txt", "=emitterShade1.txt", 1,
     ["emitterShade0.txt:{line}: program index 1 in row 11 is a wormhole's swirl's; the engine "
      "flame needs program 0"], []),
    ("swirl naming the flame's program", "emitterShade1.txt", "=emitterShade0.txt", 1,
     ["emitter 1 cannot be used: emitterShade1.txt:{line}: program index 0 in row 11 is the "
      "engine flame's"], []),
    ("nan and a bad texture in one row", "stardata.txt", "nan" + ROW[1:], 1,
     ["stardata.txt:{line}: row 5 column 0 (system) is not a finite number",
      "stardata.txt:{line}: row 5: texture index 99 is outside 0..20"], []),
    ("a bad value on the row's second line", "stardata.txt", ROW.replace(" 1 ", "\n1 "), 1,
     ["stardata.txt:{next}: row 5: texture index 99"], []),
    # Finite values that the arithmetic would turn into infinity or NaN.
    ("star radius 1e30", "stardata.txt", "0 0 0 1e30 1 0 14\n", 1,
     ["stardata.txt:{line}: row 5 column 3 (radius) is 1e+30; it must be within -1e+10..1e+10"],
     []),
    ("star density 1e38", "stardata.txt", "0 0 0 100 1e38 0 14\n", 1,
     ["stardata.txt:{line}: row 5 column 4 (density) is 1e+38; it must be within -1e+10..1e+10"],
     []),
    ("planet speed 1e37", "planetdata.txt", "0 250 0.6 4000 1e37 0 0 0 10\n", 1,
     ["planetdata.txt:{line}: row 16 column 4 (orbit speed) is 1e+37; it must be within "
      "-1e+29..1e+29"], []),
    ("player start 1e30", "playerdata.txt", "^1e30 0 0.0015 0.012 0.0035 100 50\n", 1,
     ["playerdata.txt:1: row 0 column 0 (start x) is 1e+30; it must be within -1e+18..1e+18"],
     []),
    # Values the arithmetic plays soundly: an infinite top speed sets no limit, a spare value
    # is read by nothing.
    ("an infinite top speed and 1e38 hit points", "shipdata.txt", "1 0.004 inf 1e38 10\n", 0, [],
     ["not a finite", "must be"]),
    ("a spare value of nan", "stardata.txt", "0 0 0 100 1 nan 14 @Spare\n", 0, [],
     ["not a finite"]),
    # Likely slips the game plays as written: only the checker warns.
    ("player start just outside the field", "playerdata.txt",
     "^100001 0 0.0015 0.012 0.0035 100 50\n", 0,
     ["playerdata.txt:1: warning: row 0 column 0 (start x) is 100001: outside the field"], []),
    ("flame file removed", "emitterShade0.txt", None, 1,
     ["emitterShade0.txt: missing; the player's engine flame needs it"], ["emitterShade1"]),
]


def run_edit(what, name, how, status, expected, absent):
    with Game() as game:
        line = change(game, name, how)
        checker, got, written, lines = check_and_run(game)
        found = checker.stdout.splitlines()
        errors = []
        if got != status or checker.returncode != status:
            errors.append("status %r, checker %d" % (got, checker.returncode))
        for text in (t.format(line=line, next=line + 1) for t in expected):
            errors += ["%r is missing" % text for out in (found, lines)
                       if not any(text in printed for printed in out) and
                       (out is found or ": warning: " not in text)]
        errors += ["%r printed" % text for text in absent
                   if text in checker.stdout or text in "\n".join(written[-30:] + lines)]
        if errors:
            return "%s: %s\nchecker:\n%s\ngame:\n%s" % (what, "; ".join(errors), checker.stdout,
                                                        "\n".join(lines[-8:]))
        return None


def main():
    cases = [(name, fault) for name in CHECKED + OTHERS for fault in FAULTS]
    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda case: run_case(*case), cases))
        edited = list(pool.map(lambda case: run_edit(*case), EDITS))
    row = "%-24s" + " %-8s" * len(FAULTS)
    print(row % ("file", *FAULTS))
    for i in range(0, len(cases), len(FAULTS)):
        print(row % (cases[i][0], *(r[0] for r in results[i:i + len(FAULTS)])))
    failures = [problem for _, problem in results if problem] + [e for e in edited if e]
    for problem in failures:
        print("FAULT " + problem)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
