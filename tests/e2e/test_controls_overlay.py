"""F1 shows the list of keys over the game and pauses it; F1 again, or Esc, closes the list and
the game goes on."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

LIST_BOX = (0, 0, 700, 500)  # the list's first rows, top left, over the radar panel
WORLD_ROWS = 850  # above the status lines, whose FPS line goes on measuring


def key_pixels(image):
    """The list's keys and title are written in amber."""
    x0, y0, x1, y1 = LIST_BOX
    return sum(1 for y in range(y0, y1) for x in range(x0, x1)
               if (lambda r, g, b: r > 200 and 150 < g < 235 and b < 120)(*image.pixel(x, y)))


def world_differences(a, b):
    return sum(1 for y in range(0, WORLD_ROWS, 2) for x in range(0, a.width, 2)
               if a.pixel(x, y) != b.pixel(x, y))


def main():
    with Game() as game:
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        before = game.settled_screenshot("before.png")
        game.key("F1")
        shown = game.wait_for_screen(lambda image: key_pixels(image) > 2000)
        # The frame that took F1 drew each pass right after its own step; the still picture
        # after it draws them all as the last step left them, so compare two still pictures.
        held = game.settled_screenshot("held.png")
        time.sleep(1)
        later = game.settled_screenshot("later.png")
        game.key("F1")
        closed = game.wait_for_screen(lambda image: key_pixels(image) < 200)
        time.sleep(1)
        moving = game.settled_screenshot("moving.png")
        game.key("F1")
        again = game.wait_for_screen(lambda image: key_pixels(image) > 2000)
        game.key("Escape")
        escaped = game.wait_for_screen(lambda image: key_pixels(image) < 200)
        game.key("q")
        assert game.wait_exit(timeout=20) == 0

    assert key_pixels(before) < 200, "amber before F1: %d" % key_pixels(before)
    assert key_pixels(shown) > 2000, "F1 shows no list: %d amber pixels" % key_pixels(shown)
    still = world_differences(held, later)
    assert still == 0, "%d pixels changed under the list: the game is not paused" % still
    assert key_pixels(closed) < 200, "F1 again leaves the list: %d" % key_pixels(closed)
    moved = world_differences(closed, moving)
    assert moved > 100, "only %d pixels changed after closing the list" % moved
    assert key_pixels(again) > 2000 and key_pixels(escaped) < 200, "Esc does not close the list"
    print("ok")


if __name__ == "__main__":
    main()
