"""The command line picks the window size; a bad option is refused before any window opens."""

import subprocess
import sys
import unittest

from harness import Game


class WindowOptions(unittest.TestCase):
    def test_bad_options_exit_2_with_usage(self):
        for args in (["--window", "1024by768"], ["--window"], ["--frobnicate"]):
            with Game() as game:
                game.start(*args)
                self.assertEqual(game.wait_exit(timeout=30), 2, args)
                self.assertIn("usage: orrisk", game.stderr())
                self.assertNotIn("Starting this thing", game.lines())

    def test_help_lists_the_options(self):
        with Game() as game:
            game.start("--help")
            self.assertEqual(game.wait_exit(timeout=30), 0)
            for option in ("--window WIDTHxHEIGHT", "--fullscreen", "--help"):
                self.assertIn(option, game.stdout())

    def test_window_option_sets_the_window_size(self):
        with Game() as game:
            game.start("--window", "1024x768")
            game.wait_for_line("Done with that, now starting main loop", timeout=60)
            found = subprocess.run(
                ["xdotool", "search", "--name", "Orrisk", "getwindowgeometry"],
                env=game.env, capture_output=True, text=True, check=True,
            ).stdout
            self.assertRegex(found, r"Geometry: 1024x768")


if __name__ == "__main__":
    sys.exit(unittest.main())
