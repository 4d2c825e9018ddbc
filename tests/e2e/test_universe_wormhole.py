"""A wormhole jump: the ship starts inside a gate of system 0 and comes out in system 1. The map
panel shows the current system's stars as red dots around the player's blip, so after the jump
it shows system 1's star below the blip and no longer system 0's star above it."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"

# Each system has one star, 80000 units from where the ship is: north of it in system 0, south
# in system 1; both far beyond their reach, so the ship stays where the gate put it.
STARS = "0 0 80000 500 1 0 14 @Northern\n" \
        "1 0 -80000 500 1 0 14 @Southern\n"
# The gate at the start leads to (0, 0) of system 1; system 1's own gate, well away, leads home.
WORMHOLES = "0 0 0 300 1 0 0 1\n" \
            "1 20000 0 300 0 0 0 1\n"

# The map panel's centre in window pixels and its scale: 84 pixels for 200000 units.
MAP_X, MAP_Y = 1180, 100
DOT_OFFSET = round(80000 * 84 / 200000)


def red(r, g, b):
    return r > 150 and g < 110 and b < 110


def red_near(image, cx, cy, reach=6):
    return sum(1 for y in range(cy - reach, cy + reach + 1)
               for x in range(cx - reach, cx + reach + 1) if red(*image.pixel(x, y)))


def main():
    with Game() as game:
        game.write_file("stardata.txt", STARS)
        game.write_file("planetdata.txt", "# none\n")
        game.write_file("wormholedata.txt", WORMHOLES)
        # The ship at the origin, as the scene above is laid out round it.
        game.write_file("playerdata.txt", "0 0 0.0015 0.012 0.0035 100 50\n")
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=60)
        time.sleep(1.5)
        image = game.screenshot()
        below = red_near(image, MAP_X, MAP_Y + DOT_OFFSET)
        above = red_near(image, MAP_X, MAP_Y - DOT_OFFSET)
        assert below >= 8, "system 1's star is not on the map: %d red pixels" % below
        assert above == 0, "system 0's star is still on the map: %d red pixels" % above
        game.key("q")
        assert game.wait_exit(timeout=20) == 0
    print("ok")


if __name__ == "__main__":
    main()
