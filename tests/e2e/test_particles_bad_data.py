"""Emitter data the game cannot use is refused at start-up with a line naming the file and the
problem on standard error, and start-up ends with status 1."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402


def refused(prepare, expected_line):
    with Game() as game:
        prepare(game)
        game.start()
        status = game.wait_exit(timeout=30)
        lines = game.lines()
        errors = game.stderr().splitlines()
        assert status == 1, "status %r, output tail %r" % (status, lines[-10:])
        assert expected_line in errors, "no %r in %r" % (expected_line, errors)
        assert expected_line not in lines and lines[-1].startswith("Shaders read: "), lines[-3:]
        assert "Done with that, now starting main loop" not in lines


def short_curve(game):
    with open(game.path("emitterShade0.txt")) as f:
        rows = f.read().split("\n")
    rows[6] = " ".join(["1"] * 42)  # file line 7 is the set's row 5
    game.write_file("emitterShade0.txt", "\n".join(rows))


def main():
    refused(short_curve,
            "emitterShade0.txt:7: curve row of 42 values; curve rows need at least 100")
    refused(lambda game: game.remove_file("emitterShade0.txt"),
            "emitterShade0.txt: missing; the player's engine flame needs it")
    refused(lambda game: game.remove_file("shader1.fs"),
            "shader1.fs: missing; shader1.vs needs its fragment shader")
    refused(lambda game: game.write_file("emitterShade0.txt", "# flame\n60 \n1 \n1 \n4 \n"),
            "emitterShade0.txt: set 0 has 4 rows; an emitter needs at least 12 "
            "(row 0 layer count, row 11 program index)")


if __name__ == "__main__":
    main()
