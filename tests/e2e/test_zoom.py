"""The mouse wheel zooms the view: wheel up magnifies the player's ship, wheel down shrinks it."""

import sys
import time
import unittest

from harness import Game

HALF_BOX = 80  # pixels around the window's centre, where the camera keeps the player's ship


def bright_near_centre(image):
    cx, cy = image.width // 2, image.height // 2
    count = 0
    for y in range(cy - HALF_BOX, cy + HALF_BOX):
        for x in range(cx - HALF_BOX, cx + HALF_BOX):
            r, g, b = image.pixel(x, y)
            if r + g + b > 450:
                count += 1
    return count


class Zoom(unittest.TestCase):
    def test_wheel_changes_the_scale(self):
        with Game() as game:
            # In open space north of Hearth, where only the backdrop is near the ship.
            game.write_file("playerdata.txt", "0 3000 0.0015 0.012 0.0035 100 50\n")
            game.start()
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            start = game.settled_screenshot("start.png")
            for _ in range(5):
                game.click(4)
            zoomed_in = game.settled_screenshot("in.png")
            for _ in range(10):
                game.click(5)
            zoomed_out = game.settled_screenshot("out.png")
            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0)

        base = bright_near_centre(start)
        self.assertGreater(base, 20, "the ship is not visible at the centre")
        # Five steps in show 0.4 of the height: the ship's area grows about sixfold.
        self.assertGreater(bright_near_centre(zoomed_in), 3 * base)
        # Five steps out from the start show 2.5 times the height.
        self.assertLess(bright_near_centre(zoomed_out), base / 2)
        self.assertGreater(start.differs(zoomed_in), 10000)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
