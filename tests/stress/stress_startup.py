"""Start-up stress: several games start at once on one virtual display, in rounds, each in its
own scratch directory, every other one with the shipped data and the rest with the fault table's
broken files in turn. Each must run a few frames and quit on Q, or refuse with status 1; a death
by a signal fails the run with a backtrace of every thread from its core.

New rounds start for ORRISK_STRESS_SECONDS (default 180); ORRISK_STRESS_GAMES games a round
(default 4)."""

import itertools
import os
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.join(os.environ["ORRISK_SOURCE_DIR"], "tests", "e2e"))
from harness import Game, start_xvfb  # noqa: E402
from test_fault_table import CHECKED, FAULTS, OTHERS, STARTED  # noqa: E402

FRAMES = 5
FRAME_LINE = "Processing wormholes"
# Limits for a slow, busy machine: a start normally takes about a second.
START_LIMIT, FRAMES_LIMIT, EXIT_LIMIT = 120, 60, 60


def wait_until(condition, limit):
    deadline = time.monotonic() + limit
    while not condition() and time.monotonic() < deadline:
        time.sleep(0.05)
    return condition()


def press_q(game):
    """Q sent to this game's own windows: the display is shared."""
    found = subprocess.run(["xdotool", "search", "--pid", str(game.proc.pid)],
                           env=game.env, capture_output=True, text=True)
    for window in found.stdout.split():
        subprocess.run(["xdotool", "key", "--window", window, "q"], env=game.env)


def play(display, case):
    """One start; returns (outcome, problem or None)."""
    name, fault = case
    with Game(display=display) as game:
        if name:
            FAULTS[fault](game, name)
        game.start()
        wait_until(lambda: not game.running() or STARTED in game.lines(), START_LIMIT)
        if game.running() and wait_until(
                lambda: not game.running() or game.count_line(FRAME_LINE) >= FRAMES,
                FRAMES_LIMIT):
            # Pressed again if the game is still running: finding the window can fail while
            # other games' windows come and go.
            deadline = time.monotonic() + EXIT_LIMIT
            while game.running() and time.monotonic() < deadline:
                press_q(game)
                wait_until(lambda: not game.running(), 10)
        status = game.wait_exit(timeout=1)
        lines = game.lines()
        refused = status == 1 and name and STARTED not in lines
        ran = status == 0 and lines.count(FRAME_LINE) >= FRAMES
        if ran or refused:
            return ("refused" if refused else "ran"), None
        what = "%s %s" % (name, fault) if name else "shipped data"
        return "failed", "%s: status %r, %d frames\n%s\n--- stderr:\n%s\n%s" % (
            what, status, lines.count(FRAME_LINE), "\n".join(lines[-5:]), game.stderr()[-2000:],
            game.crash_report())


def main():
    seconds = float(os.environ.get("ORRISK_STRESS_SECONDS", 180))
    games = int(os.environ.get("ORRISK_STRESS_GAMES", 4))
    broken = itertools.cycle([(name, fault) for name in CHECKED + OTHERS for fault in FAULTS])
    cases = ((None, None) if i % 2 == 0 else next(broken) for i in itertools.count())
    xvfb, display = start_xvfb()
    tally = {"ran": 0, "refused": 0, "failed": 0}
    problems = []
    began = time.monotonic()
    try:
        with ThreadPoolExecutor(max_workers=games) as pool:
            while time.monotonic() - began < seconds and not problems:
                batch = [next(cases) for _ in range(games)]
                for outcome, problem in pool.map(lambda case: play(display, case), batch):
                    tally[outcome] += 1
                    if problem:
                        problems.append(problem)
                print("%.0f s: %d starts" % (time.monotonic() - began, sum(tally.values())),
                      flush=True)
    finally:
        xvfb.kill()
        xvfb.wait()
    print("%d starts in %.0f s: %d ran, %d refused, %d failed" % (
        sum(tally.values()), time.monotonic() - began, tally["ran"], tally["refused"],
        tally["failed"]))
    for problem in problems:
        print("FAULT " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
