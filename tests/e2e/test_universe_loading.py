"""Loading the star systems: the loader's lines come in order between "Initializing stars" and
the main loop, and a planet whose star row does not exist is never built."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"

STARS = "# system x y radius density spare texture\n0 90000 90000 1000 1.0 0 14 @Sol\n"
PLANETS = "# star radius density orbit speed angle spin spin0 texture\n" \
          "0 250 0.6 4000 0.004 45 0.02 0 10 @Red_Rock\n" \
          "0.5 250 0.6 4000 0.004 45 0.02 0 10 @Nowhere\n"


def loads_sol_and_red_rock():
    with Game() as game:
        game.write_file("stardata.txt", STARS)
        game.write_file("planetdata.txt", PLANETS)
        game.write_file("wormholedata.txt", "# no gates\n")
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=60)
        lines = game.lines()
        start = lines.index("Loading star and planet data")
        expected = [
            "Loading star and planet data",
            "Opening stardata.txt",
            "Opening planetdata.txt",
            "Opening wormholedata.txt",
            "Red Rock",
            "Adding Red Rock to Sol",
            "Now loading wormholes",
        ]
        assert lines[start : start + len(expected)] == expected, lines[start : start + 10]
        assert lines.index("Initializing stars") < start < lines.index(MAIN_LOOP)
        assert not any("Nowhere" in line for line in lines)
        game.key("q")
        assert game.wait_exit(timeout=20) == 0


def main():
    loads_sol_and_red_rock()
    print("ok")


if __name__ == "__main__":
    main()
