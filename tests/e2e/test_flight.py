"""Flying the ship: W lights the engine flame behind it and moves the view over the backdrop;
an unusable player table is refused at start-up."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"
# The camera keeps the ship at the centre of the window; it starts facing +x, so its flame
# trails off to the left.
CENTRE_X, CENTRE_Y = 640, 512


def warm_behind_ship(image):
    """Flame-coloured pixels in a strip just behind the ship, clear of its idle glow."""
    count = 0
    for x in range(CENTRE_X - 75, CENTRE_X - 25):
        for y in range(CENTRE_Y - 8, CENTRE_Y + 9):
            r, g, b = image.pixel(x, y)
            if r > 180 and r > b + 80:
                count += 1
    return count


def scene_changes(a, b):
    """Pixels that differ between two shots in the middle of the view, away from the panels
    and the status text."""
    changed = 0
    for y in range(220, 800, 2):
        for x in range(220, 1060, 2):
            if a.pixel(x, y) != b.pixel(x, y):
                changed += 1
    return changed


def flight():
    with Game() as game:
        # Out in open space, 3000 units north of Hearth's start, rather than landed on it.
        game.write_file("playerdata.txt", "0 3000 0.0015 0.012 0.0035 100 50\n")
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=60)
        # Frames drawn before each shot, however slow the machine.
        game.wait_frames(5)
        rest_a = game.screenshot()
        time.sleep(0.3)
        game.wait_frames(2)
        rest_b = game.screenshot()
        idle_flame = warm_behind_ship(rest_b)

        game._xdotool("keydown", "w")
        time.sleep(0.7)
        thrusting = game.wait_for_screen(
            lambda shot: warm_behind_ship(shot) > max(40, 4 * idle_flame))
        game._xdotool("keyup", "w")
        time.sleep(0.2)
        game.wait_frames(3)
        coast_a = game.screenshot()
        time.sleep(0.3)
        game.wait_frames(2)
        coast_b = game.screenshot()

        flame = warm_behind_ship(thrusting)
        assert flame > 40 and flame > 4 * idle_flame, (
            "no flame behind the ship: %d warm pixels while thrusting, %d at rest"
            % (flame, idle_flame))
        after_flame = warm_behind_ship(coast_b)
        assert after_flame < flame / 2, "the flame stays lit after W is released (%d, %d)" % (
            after_flame, flame)

        still = scene_changes(rest_a, rest_b)
        moving = scene_changes(coast_a, coast_b)
        assert moving > 5000 and moving > 5 * still, (
            "the view did not move: %d changed pixels while coasting, %d at rest"
            % (moving, still))

        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def refused_player_table(text, problem):
    with Game() as game:
        if text is None:
            game.remove_file("playerdata.txt")
        else:
            game.write_file("playerdata.txt", text)
        game.start()
        status = game.wait_exit(timeout=30)
        lines = game.lines()
        errors = game.stderr().splitlines()
        assert status == 1, "status %r, output tail %r" % (status, lines[-8:])
        start = lines.index("Loading player data")
        tail = lines[start:]
        # Standard output ends with the written lines; the problem is named on standard error.
        written = "playerdata read failure" if text is None else "Opening playerdata.txt"
        assert tail[-1] == written, tail
        assert any(line.startswith("playerdata.txt" + problem) for line in errors), errors
        assert "Player initialized" not in lines and MAIN_LOOP not in lines


def main():
    flight()
    refused_player_table(None, ": cannot be opened")
    refused_player_table("# all the numbers are gone\n", ": 0 rows found, 1 needed")
    refused_player_table("0 0 0.0015 0.012 inf 100 50\n",
                         ":1: row 0 column 4 (turn rate) is not a finite number")


if __name__ == "__main__":
    main()
