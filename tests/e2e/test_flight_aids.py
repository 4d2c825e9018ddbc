"""H draws the flight aids and H again takes them away, pixel for pixel; paused, so that only the
aids can change the picture."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

WORLD_ROWS = 850  # above the status lines, whose FPS line goes on measuring


def differences(a, b):
    return sum(1 for y in range(WORLD_ROWS) for x in range(a.width) if a.pixel(x, y) != b.pixel(x, y))


def main():
    with Game() as game:
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        game.hold("w", 1.0)  # off Hearth, so that the velocity line has a length
        game.key("p")
        bare = game.settled_screenshot("bare.png")
        game.key("h")
        aided = game.settled_screenshot("aided.png")
        game.key("h")
        again = game.settled_screenshot("again.png")
        game.key("q")
        assert game.wait_exit(timeout=20) == 0

    shown = differences(bare, aided)
    assert shown > 300, "the aids changed only %d pixels" % shown
    gone = differences(bare, again)
    assert gone == 0, "%d pixels of the aids stayed" % gone
    print("ok")


if __name__ == "__main__":
    main()
