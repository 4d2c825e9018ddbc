"""--survival: a chaser rams a ship of 1 hit point, "Destroyed" shows, the run goes into the scores
file and a new run starts with the ship whole; each best run keeps a replay that plays headless to
its score; a corrupt scores file is set aside with one line and the game plays on."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

READY = "Done with that, now starting main loop"
DESTROYED_BOX = (400, 360, 880, 420)  # "Destroyed", centred above the ship
HP_BOX = (0, 870, 340, 910)  # the "Player HP:" status line
ROW = re.compile(r"^(\d+) (\d+\.\d) (\d{4}-\d\d-\d\d)$")


def red_text(image, box):
    x0, y0, x1, y1 = box
    return sum(
        1 for y in range(y0, y1) for x in range(x0, x1)
        if (lambda p: p[0] > 180 and p[1] < 120)(image.pixel(x, y))
    )


def region(image, box):
    x0, y0, x1, y1 = box
    return [image.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def wait_for_stderr(game, pattern, count=1, timeout=90):
    deadline = time.monotonic() + timeout
    while True:
        found = re.findall(pattern, game.stderr(), re.M)
        if len(found) >= count:
            return found
        if not game.running() or time.monotonic() > deadline:
            raise TimeoutError("no %d x %r on stderr:\n%s" % (count, pattern, game.stderr()))
        time.sleep(0.05)


def fragile_ship(game):
    """One hit point, in open space 5000 units north of Hearth; chasers quick enough to arrive
    within seconds, slow enough never to step over the ram distance."""
    game.write_file("playerdata.txt", "0 5000 0.0015 0.012 0.0035 1 50\n")
    game.write_file("shipdata.txt", "0 0 0 30 10\n1 0.5 2.4 30 10\n2 0.004 0.8 20 0\n"
                                    "3 0.006 1.2 40 5\n")


def rammed_and_reborn():
    with Game() as game:
        fragile_ship(game)
        data = os.path.join(game.work_dir, "xdg")
        game.env["XDG_DATA_HOME"] = data
        game.start("--survival")
        game.wait_for_line(READY, timeout=60)
        alive = game.settled_screenshot("alive.png")
        wait_for_stderr(game, r"^Destroyed: 0 kills, [\d.]+ s")
        wreck = game.settled_screenshot("wreck.png")
        scores = open(os.path.join(data, "orrisk", "scores")).read().splitlines()
        wait_for_stderr(game, r"^New run$")
        reborn = game.settled_screenshot("reborn.png")
        second = wait_for_stderr(game, r"^Destroyed: \d+ kills, ([\d.]+) s", count=2)
        game.key("q")
        assert game.wait_exit(timeout=20) == 0
        best_runs_replay_to_their_scores(game, data)

    assert red_text(wreck, DESTROYED_BOX) > 300, "no 'Destroyed' over the wreck"
    assert red_text(alive, DESTROYED_BOX) < 20 and red_text(reborn, DESTROYED_BOX) < 20
    # The status line reads the same hit points as at the start, not the wreck's.
    assert region(reborn, HP_BOX) == region(alive, HP_BOX), "the new run is not whole"
    assert region(wreck, HP_BOX) != region(alive, HP_BOX)
    rows = [ROW.match(line) for line in scores if not line.startswith("#")]
    assert len(rows) == 1 and rows[0] and rows[0].group(1) == "0", scores
    assert float(second[1]) > 0, "the new run ended at once"


def best_runs_replay_to_their_scores(game, data):
    """Each row of the final table has its replay, and nothing else is kept; played headless,
    each ends on its run's own end: the same kills and seconds as its row."""
    table = open(os.path.join(data, "orrisk", "scores")).read().splitlines()
    rows = [ROW.match(line).groups() for line in table if not line.startswith("#")]
    kept = sorted(os.listdir(os.path.join(data, "orrisk", "best-runs")))
    assert kept == sorted("%s-%s-kills-%s-s.replay" % (d, k, s) for k, s, d in rows), kept
    for kills, seconds, date in rows:
        name = os.path.join(data, "orrisk", "best-runs", "%s-%s-kills-%s-s.replay"
                            % (date, kills, seconds))
        run = subprocess.run([game.binary, "--replay", name, "--headless"], cwd=game.work_dir,
                             env=game.env, capture_output=True, text=True, timeout=120)
        assert run.returncode == 0 and "ends early" not in run.stderr, run.stderr
        ends = re.findall(r"^Destroyed: (\d+) kills, ([\d.]+) s", run.stderr, re.M)
        assert ends and ends[-1] == (kills, seconds), (ends, kills, seconds)


def corrupt_scores():
    with Game() as game:
        data = os.path.join(game.work_dir, "xdg")
        os.makedirs(os.path.join(data, "orrisk"))
        scores = os.path.join(data, "orrisk", "scores")
        with open(scores, "w") as f:
            f.write("12 34.5 2026-01-01\nnot a score at all\n")
        game.env["XDG_DATA_HOME"] = data
        game.start("--survival")
        game.wait_for_line(READY, timeout=60)
        game.settled_screenshot("playing.png", frames=20)
        assert game.running()
        game.key("q")
        assert game.wait_exit(timeout=20) == 0
        lines = [line for line in game.stderr().splitlines() if "score" in line]
        assert len(lines) == 1 and "set aside" in lines[0], game.stderr()
        assert os.path.exists(scores + ".bad") and not os.path.exists(scores)


def main():
    corrupt_scores()
    rammed_and_reborn()
    print("ok")


if __name__ == "__main__":
    main()
