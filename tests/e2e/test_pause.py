"""P pauses: the world, the radar and the map stand still while frames go on being drawn, with
"Paused" over the ship; P again resumes and the planets move on. Losing the input focus pauses
too."""

import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

WORLD_ROWS = 850  # above the status lines, whose FPS line goes on measuring
TEXT_BOX = (560, 360, 720, 420)  # where "Paused" is written, over the ship


def world_differences(a, b):
    return sum(1 for y in range(WORLD_ROWS) for x in range(a.width) if a.pixel(x, y) != b.pixel(x, y))


def text_pixels(image):
    x0, y0, x1, y1 = TEXT_BOX
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if sum(image.pixel(x, y)) > 300)


def main():
    with Game() as game:
        game.start()
        game.wait_for_line("Done with that, now starting main loop", timeout=60)
        time.sleep(1)
        game.key("p")
        paused = game.settled_screenshot("paused.png")
        time.sleep(1)
        later = game.settled_screenshot("later.png")
        game.key("p")
        time.sleep(1)
        resumed = game.settled_screenshot("resumed.png")
        root = subprocess.run(["xdotool", "search", "--maxdepth", "0", ".*"], env=game.env,
                              capture_output=True, text=True, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", root], env=game.env, check=True)
        unfocused = game.settled_screenshot("unfocused.png")
        game.proc.send_signal(signal.SIGTERM)
        assert game.wait_exit(timeout=20) == 0

    still = world_differences(paused, later)
    assert still == 0, "%d pixels of the world changed while paused" % still
    moved = world_differences(later, resumed)
    assert moved > 500, "only %d pixels changed after resuming" % moved
    shown, gone = text_pixels(paused), text_pixels(resumed)
    assert shown > gone + 50, "'Paused' is not shown: %d text pixels, %d after" % (shown, gone)
    assert text_pixels(unfocused) > gone + 50, "losing the focus does not pause"
    print("ok")


if __name__ == "__main__":
    main()
