"""The start-up lines come in their order, frames print their two lines, Q quits with status 0."""

import sys
import unittest

from harness import Game

STARTUP_LINES = [
    "Starting this thing",
    "SDL initialized",
    "Glew is initialized",
    "loading weapondata.txt",
    "Opening weapondata.txt",
    "loading shipdata.txt",
    "Opening shipdata.txt",
    "Ver17",
    "Player initialized",
    "Loading font",
    "Initializing stars",
    "Done with that, now starting main loop",
]
FRAME_LINES = ["Processing wormholes", "processing projectiles"]


class Startup(unittest.TestCase):
    def test_lines_in_order_then_frames_until_q(self):
        with Game() as game:
            game.start()
            position = 0
            for line in STARTUP_LINES:
                position = game.wait_for_line(line, timeout=60, start=position) + 1
            for _ in range(3):
                position = game.wait_for_line(FRAME_LINES[1], timeout=30, start=position) + 1

            game.key("q")
            self.assertEqual(game.wait_exit(timeout=15), 0, game.stdout()[-2000:])

            lines = game.lines()
            done = lines.index(STARTUP_LINES[-1])
            frames = [l for l in lines[done + 1 :] if l in FRAME_LINES]
            self.assertGreaterEqual(len(frames), 6)
            # Every frame prints the pair in this order; Q may end a frame between the two.
            for i, line in enumerate(frames):
                self.assertEqual(line, FRAME_LINES[i % 2], "frame line %d out of order" % i)
            self.assertEqual(
                [l for l in lines[:done] if l in FRAME_LINES], [], "frame lines before the loop"
            )


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
