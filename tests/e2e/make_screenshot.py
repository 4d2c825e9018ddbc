"""Makes the README's screenshot: the real game from the shipped data, on its own virtual X server.

    python3 tests/e2e/make_screenshot.py [OUTPUT]

OUTPUT defaults to docs/screenshot.png in the source tree; the game comes from ORRISK_RUNTIME_DIR
(default: build/run). The ship waits on the planet Hearth, where it starts, while
enemies (arriving four times as often as usual) close in on the radar; then it takes off with the
engine lit, firing bullets at the nearest one, and the shot is taken mid-burn, scaled to 960x768.
"""

import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.path.dirname(os.path.dirname(HERE))
os.environ.setdefault("ORRISK_RUNTIME_DIR", os.path.join(SOURCE_DIR, "build", "run"))
sys.path.insert(0, HERE)
from harness import Game, imagemagick  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"
SIZE = "960x768"

# The radar: a 200-pixel panel in the top-left corner, the player at its centre, 82.5 pixels
# for its 10000-unit range.
RADAR_CENTRE = 100
UNITS_PER_RADAR_PIXEL = 10000 / 82.5
# The view after one notch of zoom in: 4000 / 1.2 units tall at an aspect of 1.25; the cursor
# moves 0.15 percent of it per pixel.
VIEW_H = 4000 / 1.2
VIEW_W = VIEW_H * 1.25
CURSOR_PERCENT_PER_PIXEL = 0.15


def xdotool(game, *args):
    subprocess.run(["xdotool", *args], env=game.env, check=True)


def nearest_enemy_on_radar(image):
    """Offset (right, down) in radar pixels of the nearest red enemy blip, or None. The centre is
    left out: the player's blip and the planet it sits on are drawn there."""
    best = None
    for y in range(8, 192):
        for x in range(8, 192):
            r, g, b = image.pixel(x, y)
            if r < 170 or g > 110 or b > 110:
                continue
            dx, dy = x - RADAR_CENTRE, y - RADAR_CENTRE
            d = dx * dx + dy * dy
            if d > 7 * 7 and (best is None or d < best[0]):
                best = (d, dx, dy)
    return None if best is None else best[1:]


def in_view(blip):
    """Whether a radar blip lies well inside the view, clear of its edges."""
    return (abs(blip[0]) * UNITS_PER_RADAR_PIXEL < 0.8 * VIEW_W / 2
            and abs(blip[1]) * UNITS_PER_RADAR_PIXEL < 0.8 * VIEW_H / 2)


def wait_for_enemy(game, near, timeout):
    """The nearest enemy, once near(blip) holds for it."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        blip = nearest_enemy_on_radar(game.screenshot())
        if blip and near(blip):
            return blip
        time.sleep(0.2)
    raise TimeoutError("no enemy came near enough in %d s" % timeout)


class Cursor:
    """The aiming cursor, as an offset in percent of the view from its centre."""

    def __init__(self, game):
        self.game = game
        self.x = 0
        self.y = 0

    def aim_at(self, blip):
        """Moves the cursor toward a radar blip, kept inside the view."""
        x = blip[0] * UNITS_PER_RADAR_PIXEL / VIEW_W * 100
        y = blip[1] * UNITS_PER_RADAR_PIXEL / VIEW_H * 100
        scale = min(1.0, 40 / max(abs(x), abs(y), 1e-6))
        dx = round((x * scale - self.x) / CURSOR_PERCENT_PER_PIXEL)
        dy = round((y * scale - self.y) / CURSOR_PERCENT_PER_PIXEL)
        self.x += dx * CURSOR_PERCENT_PER_PIXEL
        self.y += dy * CURSOR_PERCENT_PER_PIXEL
        # Small steps, so that no single motion is clipped at the edge of the X screen.
        steps = max(1, (max(abs(dx), abs(dy)) + 99) // 100)
        for i in range(steps):
            step_x = dx * (i + 1) // steps - dx * i // steps
            step_y = dy * (i + 1) // steps - dy * i // steps
            self.game.mouse_move_relative(step_x, step_y)


def take(output):
    with Game() as game:
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=60)
        # Enemies every 125 ms instead of every 500.
        game.key("equal")
        game.key("equal")
        game.click(4)
        cursor = Cursor(game)
        cursor.aim_at(wait_for_enemy(game, lambda blip: True, timeout=120))
        xdotool(game, "keydown", "space")
        cursor.aim_at(wait_for_enemy(game, in_view, timeout=120))
        xdotool(game, "keydown", "w")
        time.sleep(0.5)
        with tempfile.TemporaryDirectory() as scratch:
            full = os.path.join(scratch, "full.png")
            game.screenshot(full)
            xdotool(game, "keyup", "w", "space")
            game.key("q")
            status = game.wait_exit(timeout=15)
            if status != 0:
                raise RuntimeError("the game ended with status %r" % status)
            subprocess.run(imagemagick("convert") + [full, "-resize", SIZE, "-strip", output],
                           check=True)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE_DIR, "docs", "screenshot.png")
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    take(output)
    print("wrote", output)


if __name__ == "__main__":
    main()
