"""A shader that does not compile or link is refused at start-up, status 1, with its driver log
printed once under its own file and a line naming it on standard error; orrisk-check, without a
display, prints the same line and where glslang found the error. A program that links but takes a
value in another type runs, its GL error lines each frame where the pass that draws it prints them."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402


def edit(game, name, replacements):
    with open(game.path(name)) as f:
        text = f.read()
    for old, new in replacements:
        assert old in text, (name, old)
        text = text.replace(old, new)
    game.write_file(name, text)


def check(name, replacements, refusal, checker_detail):
    with Game() as game:
        edit(game, name, replacements)
        checker = subprocess.run([os.path.join(game.runtime_dir, "orrisk-check"), game.work_dir],
                                 capture_output=True, text=True, timeout=30)
        game.start()
        status = game.wait_exit(timeout=30)
        lines = game.lines()
        errors = game.stderr().splitlines()
    tail = "\n".join(lines[-25:])
    assert status == 1, "status %r\n%s" % (status, tail)
    assert errors.count(refusal) == 1 and refusal not in lines, errors
    assert lines[-1].startswith("Shaders read: "), tail
    assert "Invalid operation" not in lines and "Ver17" not in lines, tail
    logs = [i for i, line in enumerate(lines) if "info log" in line]
    assert len(logs) == 1, tail
    # The log comes after the broken pair's announcement and before the next pair is read.
    assert lines.index("Reading shader 1") < logs[0] < lines.index("Reading shader 2"), tail
    assert checker.returncode == 1, checker.stdout
    found = checker.stdout.splitlines()
    assert found[0] == refusal and checker_detail in found[1], checker.stdout


def swirl_errors_follow_their_line():
    """Setting a vec2 radius as one float fails in each swirl drawn: every frame, the lines come
    after "Processing wormholes" and before "processing projectiles"."""
    with Game() as game:
        edit(game, "shader1.vs", [("uniform float particleSystemHeight;",
                                   "uniform vec2 particleSystemHeight;"),
                                  ("max(particleSystemHeight, 1.0)",
                                   "max(particleSystemHeight.x, 1.0)")])
        game.start()
        at = game.wait_for_line("Done with that, now starting main loop", timeout=60)
        for _ in range(5):
            wormholes = game.wait_for_line("Processing wormholes", start=at + 1)
            previous, at = at, game.wait_for_line("processing projectiles", start=wormholes + 1)
            lines = game.lines()
            # Three gates in the starting system, each failing once as it is drawn.
            assert lines[wormholes + 1:at] == ["Invalid operation"] * 3, lines[previous:at + 1]
            assert "Invalid operation" not in lines[previous:wormholes], lines[previous:at + 1]


def main():
    check("shader0.fs", [("float density = ", "float density = ) ")],
          "shader0.fs: does not compile as a fragment shader", "shader0.fs:13: ")
    # The varying's type differs between the two files: each compiles, the pair does not link.
    check("shader0.fs", [("varying vec4 tint;", "varying vec3 tint;"), ("tint.a * ", "")],
          "shader0.vs: does not link with shader0.fs into program 0", "Types must match")
    # glslang links stages one by one; the driver also wants every varying read to be declared.
    check("shader0.fs", [("varying vec4 tint;", "varying vec4 tint;\nvarying float extra;"),
                         ("tint.a * density", "tint.a * density * extra")],
          "shader0.vs: does not link with shader0.fs into program 0", "reads the varying extra")
    swirl_errors_follow_their_line()


if __name__ == "__main__":
    main()
