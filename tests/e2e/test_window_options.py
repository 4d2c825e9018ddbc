"""The command line picks the window size; a malformed value of an option is refused before any
window opens, an argument the game does not know is passed over with a line on standard error."""

import re
import subprocess
import sys
import unittest

from harness import Game

PANEL = 200
# The starting system's gates relative to the player's start, on the map's scale.
GATES = [(27000, 0), (13000, 14000), (13000, -14000)]
MAP_SCALE = 84 / 200000


def teal(p):
    return p[1] > 150 and p[2] > 130 and p[0] < 130


class WindowOptions(unittest.TestCase):
    def test_malformed_values_exit_2_with_usage(self):
        for args in (["--window", "1024by768"], ["--window", "12x"], ["--frobnicate", "--window"],
                     ["--volume", "101"], ["--volume", "40%"], ["--volume"]):
            with Game() as game:
                game.start(*args)
                self.assertEqual(game.wait_exit(timeout=30), 2, args)
                self.assertIn("usage: orrisk", game.stderr())
                self.assertNotIn("Starting this thing", game.lines())

    def test_help_lists_the_options(self):
        with Game() as game:
            game.start("--help")
            self.assertEqual(game.wait_exit(timeout=30), 0)
            for option in ("--window WIDTHxHEIGHT", "--fullscreen", "--help", "--mute",
                           "--volume 0-100"):
                self.assertIn(option, game.stdout())
            # The help stands alone, in a terminal's 80 columns, every sentence whole.
            self.assertTrue(game.stdout().startswith("usage: orrisk "), game.stdout()[:200])
            self.assertEqual(game.stderr(), "")
            for line in game.lines():
                self.assertLessEqual(len(line), 80, line)
            survival = re.search(r"^  --survival +(.*?)\n(?=  --)", game.stdout(), re.M | re.S)
            self.assertRegex(" ".join(survival.group(1).split()),
                             r"each run ends when the ship is destroyed\b")

    def test_window_option_sets_the_window_size_with_the_panels_in_its_corners(self):
        with Game() as game:
            game.start("--frobnicate", "--window", "1024x768", "extra")
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            for unknown in ("--frobnicate", "extra"):
                line = "orrisk: ignoring unknown argument '%s'\n" % unknown
                self.assertEqual(game.stderr().count(line), 1, unknown)
            self.assertNotIn("ignoring", game.stdout())
            shot = game.settled_screenshot("panels.png", frames=10)
            found = subprocess.run(
                ["xdotool", "search", "--name", "Orrisk", "getwindowgeometry"],
                env=game.env, capture_output=True, text=True, check=True,
            ).stdout
            self.assertRegex(found, r"Geometry: 1024x768")
            ox, oy = map(int, re.search(r"Position: (\d+),(\d+)", found).groups())

            def framed(xs, ys):
                """Share of the pixels along a line of the window that are a panel's frame."""
                points = [(x, y) for x in xs for y in ys]
                return sum(teal(shot.pixel(ox + x, oy + y)) for x, y in points) / len(points)

            middle = range(20, PANEL - 20)
            for left in (0, 1024 - PANEL):
                right = left + PANEL - 1
                across = range(left + 20, right - 20)
                for edge in (left, right):
                    self.assertGreater(max(framed([edge + d], middle) for d in range(-3, 4)), 0.9)
                for edge in (0, PANEL - 1):
                    self.assertGreater(max(framed(across, [edge + d]) for d in range(-3, 4)), 0.9)
                # Nothing of the panel just outside it.
                self.assertLess(framed(across, [PANEL + 6]), 0.05)
                self.assertLess(framed([right + 6 if left == 0 else left - 7], middle), 0.05)

            for gx, gy in GATES:
                x = 1024 - PANEL // 2 + round(gx * MAP_SCALE)
                r, g, b = shot.pixel(ox + x, oy + PANEL // 2 - round(gy * MAP_SCALE))
                self.assertTrue(150 < r < 230 and g < 130 and b > 220, (gx, gy, (r, g, b)))


if __name__ == "__main__":
    sys.exit(unittest.main())
