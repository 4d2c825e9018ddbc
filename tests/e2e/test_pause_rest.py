"""Paused, the game sleeps between frames: its own CPU time over a few seconds stays under a
tenth of one core; P resumes at once and Q still quits."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

SECONDS = 4
LIMIT = 0.10  # of one core


def cpu_seconds(pid):
    """utime + stime of the process and all its threads, from /proc/<pid>/stat."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    with Game() as game:
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        game.key("p")
        game.settled_screenshot("paused.png")
        before, start = cpu_seconds(game.proc.pid), time.monotonic()
        time.sleep(SECONDS)
        used, wall = cpu_seconds(game.proc.pid) - before, time.monotonic() - start
        frames = game.count_line("processing projectiles")
        time.sleep(0.5)
        assert game.count_line("processing projectiles") > frames, "no frames while paused"
        game.key("p")
        game.settled_screenshot("running.png")
        game.key("q")
        assert game.wait_exit(timeout=20) == 0

    share = used / wall
    print("paused: %.3f s of CPU in %.2f s, %.1f%% of a core" % (used, wall, 100 * share))
    assert share < LIMIT, "paused game used %.1f%% of a core" % (100 * share)
    print("ok")


if __name__ == "__main__":
    main()
