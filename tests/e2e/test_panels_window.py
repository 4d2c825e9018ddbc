"""In a 1024x768 window the radar and the map sit in its top corners, and the map shows the
starting system's gates where they are."""

import re
import subprocess
import sys
import unittest

from harness import Game

WIDTH, HEIGHT, PANEL = 1024, 768, 200
MAP_SCALE = 84 / 200000
# The starting system's gates, relative to the player's start.
GATES = [(27000, 0), (13000, 14000), (13000, -14000)]


def teal(p):
    return p[1] > 150 and p[2] > 130 and p[0] < 130


class PanelsInTheWindow(unittest.TestCase):
    def test_panels_in_the_top_corners_and_gates_on_the_map(self):
        with Game() as game:
            game.start("--window", "%dx%d" % (WIDTH, HEIGHT))
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            shot = game.settled_screenshot("panels.png", frames=10)
            geometry = subprocess.run(["xdotool", "search", "--name", "Orrisk",
                                       "getwindowgeometry"], env=game.env, capture_output=True,
                                      text=True, check=True).stdout
            ox, oy = map(int, re.search(r"Position: (\d+),(\d+)", geometry).groups())

            def framed(xs, ys):
                """Share of the pixels along a line across the window that are the frame's."""
                points = [(x, y) for x in xs for y in ys]
                return sum(teal(shot.pixel(ox + x, oy + y)) for x, y in points) / len(points)

            middle = range(20, PANEL - 20)
            for left in (0, WIDTH - PANEL):
                right = left + PANEL - 1
                for edge in (left, right):
                    self.assertGreater(max(framed([edge + d], middle) for d in range(-3, 4)), 0.9)
                for edge in (0, PANEL - 1):
                    across = range(left + 20, right - 20)
                    self.assertGreater(max(framed(across, [edge + d]) for d in range(-3, 4)), 0.9)
                # Nothing of the panel just outside it.
                self.assertLess(framed(range(left + 20, right - 20), [PANEL + 6]), 0.05)
                self.assertLess(framed([right + 6 if left == 0 else left - 7], middle), 0.05)

            for gx, gy in GATES:
                x = WIDTH - PANEL // 2 + round(gx * MAP_SCALE)
                y = PANEL // 2 - round(gy * MAP_SCALE)
                r, g, b = shot.pixel(ox + x, oy + y)
                self.assertTrue(150 < r < 230 and g < 130 and b > 220, (gx, gy, (r, g, b)))
            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0)


if __name__ == "__main__":
    sys.exit(unittest.main())
