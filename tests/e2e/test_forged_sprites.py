"""Forged image headers as sprites: the game reports the failed slots, reaches its main loop in its
usual time and ends with 0 on Q; orrisk-check names each forged file."""

import os
import subprocess
import sys
import time
import unittest

from harness import Game

# A TGA header with an impossible pixel depth, and one declaring 8 x 60157 pixels, over no data.
FORGED = {
    "flame.tga": bytes.fromhex("f8 00 02 00 00 00 00 00 00 00 00 08 00 fd ea 18 aa 18 aa 44"),
    "player.png": bytes.fromhex("f8 00 02 00 00 00 00 00 00 00 00 00 08 00 fd ea 18 18 aa 44"),
}
STARTED = "Done with that, now starting main loop"


class ForgedSprites(unittest.TestCase):
    def test_game_runs_without_them_and_the_checker_names_them(self):
        with Game() as game:
            for name, data in FORGED.items():
                with open(game.path(name), "wb") as f:
                    f.write(data)
            checker = subprocess.run(
                [os.path.join(game.runtime_dir, "orrisk-check"), game.work_dir],
                capture_output=True, text=True, timeout=30)
            began = time.monotonic()
            game.start()
            game.wait_for_line(STARTED, timeout=20)
            self.assertLess(time.monotonic() - began, 20)
            game.wait_for_line("processing projectiles", timeout=20)
            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0, game.stdout()[-2000:])
            lines = game.lines()

        self.assertIn("SOIL loading error on flame.tga: 'unknown image type'", lines)
        # The side limit also depends on the GL context's largest texture.
        prefix = "SOIL loading error on player.png: 'picture too large: 8 x 60157, sides up to "
        self.assertEqual(len([l for l in lines if l.startswith(prefix)]), 1, lines[:40])
        # The game runs without them, so the checker only warns.
        self.assertEqual(checker.returncode, 0, checker.stdout)
        warnings = checker.stdout.splitlines()
        without = "; the game runs with a plain square in its place"
        self.assertIn("flame.tga: warning: cannot be used as a sprite: unknown image type"
                      + without, warnings)
        self.assertIn("player.png: warning: cannot be used as a sprite: picture too large: "
                      "8 x 60157, sides up to 8192" + without, warnings)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
