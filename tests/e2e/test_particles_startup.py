"""The emitter files are read before the game starts, the shaders build cleanly, and the player's
engine flame is drawn behind the ship and grows while thrusting."""

import os
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402


def flame_pixels(image):
    """Warm, bright pixels in a square around the player's ship at the centre of the screen."""
    count = 0
    cx, cy = image.width // 2, image.height // 2
    for y in range(cy - 150, cy + 150):
        for x in range(cx - 150, cx + 150):
            r, g, b = image.pixel(x, y)
            if r > 150 and g > 60 and r > b + 60:
                count += 1
    return count


def main():
    with Game() as game:
        game.start()
        start = game.wait_for_line("Starting this thing")
        lines = game.lines()[:start]
        expected = ["Processing emitterShade0.txt", "Processing emitterShade1.txt", "# emitters:2"]
        assert lines == expected, "before start-up: %r" % lines

        game.wait_for_line("Done with that, now starting main loop")
        output = game.stdout()
        assert "Shaders read: 2\n" in output, output
        assert "info log" not in output, output

        idle = flame_pixels(game.screenshot())
        held = threading.Thread(target=game.hold, args=("w", 1.5))
        held.start()
        time.sleep(0.5)
        shot = game.screenshot(os.environ.get("ORRISK_FLAME_SHOT"))
        held.join()
        thrusting = flame_pixels(shot)
        assert thrusting > 300, "no plume while thrusting: %d pixels" % thrusting
        assert thrusting > 3 * idle, "plume %d pixels, idle %d" % (thrusting, idle)

        game.key("q")
        assert game.wait_exit(timeout=10) == 0


if __name__ == "__main__":
    main()
