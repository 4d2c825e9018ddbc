"""H draws the flight aids and H again takes them away, pixel for pixel; paused, so that only the
aids can change the picture. G moves the aids' arrow on to the next gate: standard error names
where it leads and the picture changes."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

WORLD_ROWS = 850  # above the status lines, whose FPS line goes on measuring


def differences(a, b):
    return sum(1 for y in range(WORLD_ROWS) for x in range(a.width) if a.pixel(x, y) != b.pixel(x, y))


def wait_for_error_line(game, text, timeout=30):
    deadline = time.monotonic() + timeout
    while text not in game.stderr().splitlines():
        assert time.monotonic() < deadline and game.running(), "no %r on standard error" % text
        time.sleep(0.05)


def main():
    with Game() as game:
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        game.hold("w", 1.0)  # off Hearth, so that the velocity line has a length
        game.key("p")
        bare = game.settled_screenshot("bare.png")
        game.key("h")
        aided = game.settled_screenshot("aided.png")
        game.key("g")
        wait_for_error_line(game, "Flight aids: the arrow points at the gate to Orin's Lamp")
        chosen = game.settled_screenshot("chosen.png")
        game.key("h")
        again = game.settled_screenshot("again.png")
        game.key("q")
        assert game.wait_exit(timeout=20) == 0

    shown = differences(bare, aided)
    assert shown > 300, "the aids changed only %d pixels" % shown
    moved = differences(aided, chosen)
    assert moved > 100, "G changed only %d pixels" % moved
    gone = differences(bare, again)
    assert gone == 0, "%d pixels of the aids stayed" % gone
    print("ok")


if __name__ == "__main__":
    main()
