"""Every data file removed, emptied or given a garbage line, replaced by a directory or by a
symlink loop in turn: the game either starts and
runs until Q (status 0) or refuses with status 1 and a line naming the problem; it never crashes,
and orrisk-check reports a problem exactly when the game refuses, or for a sprite, exactly when
the game reports it cannot load it."""

import os
import re
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


def wait_frames(game, frames, timeout=20):
    deadline = time.monotonic() + timeout
    while game.count_line("Processing wormholes") < frames and game.running():
        if time.monotonic() > deadline:
            return
        time.sleep(0.05)


def run_case(name, fault):
    """Returns (outcome, problem text or None)."""
    with Game() as game:
        FAULTS[fault](game, name)
        checker = subprocess.run([os.path.join(game.runtime_dir, "orrisk-check"), game.work_dir],
                                 capture_output=True, text=True, timeout=30)
        game.start()
        deadline = time.monotonic() + 40
        while game.running() and STARTED not in game.lines() and time.monotonic() < deadline:
            time.sleep(0.05)
        if game.running():
            wait_frames(game, 5)
            game.key("q")
        status = game.wait_exit(timeout=20)
        lines = game.lines()
        errors = []
        if status not in (0, 1):
            errors.append("status %r (a crash or a hang)" % status)
        if status == 0 and lines.count("Processing wormholes") < 5:
            errors.append("quit before running frames")
        if status == 1:
            if STARTED in lines:
                errors.append("refused after starting")
            named = any(PROBLEM.match(line) and name in line for line in lines)
            if not named and (not lines or lines[-1] not in FAILURE_LINES):
                errors.append("refused without a line naming the problem")
        if name in CHECKED and (checker.returncode == 1) != (status == 1):
            errors.append("orrisk-check says %d:\n%s" % (checker.returncode, checker.stdout))
        # A sprite the game cannot decode is a problem; one that is missing leaves its slot empty.
        present_sprite = name in SPRITES and fault != "removed"
        if present_sprite and (checker.returncode == 1) != (
                "SOIL loading error on %s: " % name in "\n".join(lines)):
            errors.append("orrisk-check and the game disagree about the sprite:\n"
                          + checker.stdout)
        if name not in CHECKED and not present_sprite and checker.returncode != 0:
            errors.append("orrisk-check complains about a file the game does without:\n"
                          + checker.stdout)
        outcome = {0: "runs", 1: "refused"}.get(status, "status %r" % status)
        tail = "\n".join(lines[-5:])
        return outcome, ("%s %s: %s\n%s" % (name, fault, "; ".join(errors), tail)
                         if errors else None)


def main():
    cases = [(name, fault) for name in CHECKED + OTHERS for fault in FAULTS]
    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda case: run_case(*case), cases))
    row = "%-24s" + " %-8s" * len(FAULTS)
    print(row % ("file", *FAULTS))
    for i in range(0, len(cases), len(FAULTS)):
        print(row % (cases[i][0], *(r[0] for r in results[i:i + len(FAULTS)])))
    failures = [problem for _, problem in results if problem]
    for problem in failures:
        print("FAULT " + problem)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
