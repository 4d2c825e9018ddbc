"""A long frame while landed: the game is stopped for half a second with SIGSTOP and continued.
The ship stands on a planet moving 0.9 units/ms, so the planet moves 450 units during the stop,
far beyond the fifth of its surface distance within which it carries a landed ship in one step.
The game must catch up in short steps and still have the ship on the planet: the planet stays
right below the ship, at the screen's centre, before and after."""

import os
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"

# Planet radius 500 on an orbit of 20000 round a star at the origin, starting due north and
# running west at 0.00258 degrees/ms (0.9 units/ms). The ship starts just inside its north rim,
# so it touches and lands in its first step.
STARS = "0 0 0 500 1 0 14 @Anchor\n"
PLANETS = "0 500 0 20000 0.00258 90 0 0 10 @Carrier\n"
PLAYER = "0 20540 0.0015 0.012 0.0035 100 50\n"

# The planet's centre lies 550 units below the ship: 141 pixels at 1024 pixels per 4000 units.
CENTRE_X, CENTRE_Y = 640, 512 + 141


def planet_pixels(image):
    return sum(1 for y in range(CENTRE_Y - 20, CENTRE_Y + 21)
               for x in range(CENTRE_X - 20, CENTRE_X + 21) if sum(image.pixel(x, y)) > 60)


def main():
    with Game() as game:
        game.write_file("stardata.txt", STARS)
        game.write_file("planetdata.txt", PLANETS)
        game.write_file("wormholedata.txt", "# none\n")
        game.write_file("playerdata.txt", PLAYER)
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=60)
        time.sleep(1.5)
        before = planet_pixels(game.screenshot())
        assert before > 1200, "the ship is not on the planet at the start: %d pixels" % before

        game.proc.send_signal(signal.SIGSTOP)
        time.sleep(0.5)
        game.proc.send_signal(signal.SIGCONT)
        time.sleep(2)
        after = planet_pixels(game.screenshot())
        assert after > 1200, "the ship was left behind by its planet: %d pixels" % after
        game.key("q")
        assert game.wait_exit(timeout=20) == 0
    print("ok")


if __name__ == "__main__":
    main()
