"""In a 1024x768 window the radar and the map sit in its top corners, and the map shows the
gates of the starting system where they are."""

import re
import subprocess
import sys
import unittest

from harness import Game

WIDTH, HEIGHT = 1024, 768
PANEL = 200
MAP_SCALE = 84 / 200000
# The starting system's gates, relative to the player's start at the origin.
GATES = [(27000, 0), (13000, 14000), (13000, -14000)]


def teal(p):
    return p[1] > 150 and p[2] > 130 and p[0] < 130


def violet(p):
    return 150 < p[0] < 230 and p[1] < 130 and p[2] > 220


class PanelsInTheWindow(unittest.TestCase):
    def setUp(self):
        self.game = Game().__enter__()
        self.addCleanup(self.game.close)

    def window_origin(self):
        geometry = subprocess.run(
            ["xdotool", "search", "--name", "Orrisk", "getwindowgeometry"],
            env=self.game.env, capture_output=True, text=True, check=True,
        ).stdout
        self.assertIn("Geometry: %dx%d" % (WIDTH, HEIGHT), geometry)
        x, y = re.search(r"Position: (\d+),(\d+)", geometry).groups()
        return int(x), int(y)

    def share(self, pixels):
        return sum(1 for p in pixels if teal(p)) / len(pixels)

    def test_panels_in_the_top_corners_and_gates_on_the_map(self):
        self.game.start("--window", "%dx%d" % (WIDTH, HEIGHT))
        self.game.wait_for_line("Done with that, now starting main loop", timeout=60)
        shot = self.game.settled_screenshot("panels.png", frames=10)
        ox, oy = self.window_origin()

        def at(x, y):
            return shot.pixel(ox + x, oy + y)

        def column(x):
            return [at(x, y) for y in range(20, PANEL - 20)]

        def row(y, left):
            return [at(x, y) for x in range(left + 20, left + PANEL - 20)]

        def frame_line(pixels_at):
            return max(self.share(pixels_at(i)) for i in range(0, 4)) > 0.9

        for name, left in (("radar", 0), ("map", WIDTH - PANEL)):
            with self.subTest(panel=name):
                # Its frame runs along all four edges, a few pixels inside them.
                self.assertTrue(frame_line(lambda i: column(left + i)))
                self.assertTrue(frame_line(lambda i: column(left + PANEL - 1 - i)))
                self.assertTrue(frame_line(lambda i: row(i, left)))
                self.assertTrue(frame_line(lambda i: row(PANEL - 1 - i, left)))
                # Nothing of it beyond its 200 pixels.
                inner = left + PANEL + 5 if left == 0 else left - 6
                self.assertLess(max(self.share(column(inner + d)) for d in range(3)), 0.05)
                self.assertLess(max(self.share(row(PANEL + 5 + d, left)) for d in range(3)), 0.05)

        centre = (WIDTH - PANEL // 2, PANEL // 2)
        for gx, gy in GATES:
            x = centre[0] + round(gx * MAP_SCALE)
            y = centre[1] - round(gy * MAP_SCALE)
            self.assertTrue(violet(at(x, y)), (gx, gy, at(x, y)))
        self.game.key("q")
        self.assertEqual(self.game.wait_exit(timeout=15), 0)


if __name__ == "__main__":
    sys.exit(unittest.main())
