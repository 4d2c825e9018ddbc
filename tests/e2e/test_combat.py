"""Fighting: with each weapon selected, holding space puts its shots on screen (the beam,
bullets, a shell bursting into a shockwave), and enemies keep arriving in the current system."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"
CENTRE_X, CENTRE_Y = 640, 512
# A calm start system (its only star far away, so nothing pulls the ship and the backdrop stands
# still), the shipped bullet and beam, and a shell that bursts 150 pixels from the ship.
CALM = {
    "stardata.txt": "0 90000 90000 1000 1.0 0 14 @Far_Sun\n",
    "planetdata.txt": "0 250 0.6 4000 0.006 45 0.02 0 10 @Far_Rock\n",
    "wormholedata.txt": "# none\n",
    "weapondata.txt": "150 3.0 2000 10\n0 0 0 0.06\n700 2.0 300 0.06\n",
}


def count(before, after, test, x0, x1, y0, y1):
    return sum(1 for y in range(y0, y1) for x in range(x0, x1)
               if test(before.pixel(x, y), after.pixel(x, y)))


def brighter(a, b):
    return sum(b) > sum(a) + 150


def lit_above_ship(before, after, half_width):
    """Pixels that got clearly brighter in the column from the ship to the top of the view."""
    return count(before, after, brighter, CENTRE_X - half_width, CENTRE_X + half_width + 1, 20,
                 CENTRE_Y - 30)


def changed_around(before, after, cx, cy):
    return count(before, after, lambda a, b: a != b, cx - 80, cx + 80, cy - 80, cy + 80)


def fire(game, key, seconds, shows):
    """Space held with the weapon selected until a screenshot shows its shots (or the time is
    up); that screenshot."""
    game.key(key)
    game._xdotool("keydown", "space")
    time.sleep(seconds)
    shot = game.wait_for_screen(shows)
    game._xdotool("keyup", "space")
    return shot


def start_calm(game):
    for name, text in CALM.items():
        game.write_file(name, text)
    game.start()
    game.wait_for_line(MAIN_LOOP, timeout=60)
    game.wait_frames(3)


def weapons():
    with Game() as game:
        start_calm(game)
        # The cursor starts on the ship; 150 counts up move it 22.5 % of the view, straight up.
        game.mouse_move_relative(0, -150)
        time.sleep(0.6)
        game.wait_frames(3)
        before = game.screenshot()
        time.sleep(0.3)
        game.wait_frames(2)
        still = lit_above_ship(before, game.screenshot(), 12)

        beam = lit_above_ship(before, fire(
            game, "2", 0.4, lambda shot: lit_above_ship(before, shot, 3) > max(300, 4 * still)),
            3)
        assert beam > 300 and beam > 4 * still, "no beam: %d pixels lit, %d idle" % (beam, still)
        time.sleep(0.3)
        game.wait_frames(3)
        after_beam = game.screenshot()
        assert lit_above_ship(before, after_beam, 3) < beam / 3, "the beam outlives the key"

        bullets = lit_above_ship(after_beam, fire(
            game, "1", 0.5, lambda shot: lit_above_ship(after_beam, shot, 12) > max(30, 4 * still)),
            12)
        assert bullets > 30 and bullets > 4 * still, "no bullets: %d lit, %d idle" % (
            bullets, still)

        # Once the bullets have left the view, one shell and its growing shockwave.
        time.sleep(1.5)
        game.wait_frames(3)
        quiet = game.screenshot()
        game.key("3")
        # Held for two frames begun after the key: the first of them fires.
        game._xdotool("keydown", "space")
        game.wait_frames(2)
        game._xdotool("keyup", "space")

        def shockwave(shot):
            """Pixels changed around the burst point and as far below the ship."""
            return (changed_around(quiet, shot, CENTRE_X, CENTRE_Y - 150),
                    changed_around(quiet, shot, CENTRE_X, CENTRE_Y + 250))

        def shown(shot):
            burst, control = shockwave(shot)
            return burst > 1500 and burst > 5 * control

        burst, control = shockwave(game.wait_for_screen(shown))
        assert burst > 1500 and burst > 5 * control, "no shockwave: %d changed, %d elsewhere" % (
            burst, control)

        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def status_text(image, baseline):
    """White glyph pixels of the status line drawn baseline pixels above the bottom edge."""
    return {(x, y) for y in range(1024 - baseline - 24, 1024 - baseline)
            for x in range(0, 240) if min(image.pixel(x, y)) > 235}


def enemies_arrive():
    ships_line, health_line = 30, 120
    with Game() as game:
        start_calm(game)
        time.sleep(0.5)
        first = game.screenshot()
        time.sleep(1.5)
        later = game.wait_for_screen(
            lambda shot: status_text(first, ships_line) != status_text(shot, ships_line))
        assert status_text(first, ships_line) != status_text(later, ships_line), (
            "the ship count did not change in 1.5 s of spawning")
        assert status_text(first, health_line) == status_text(later, health_line), (
            "the health line changed although nothing reached the ship")
        game.key("q")
        assert game.wait_exit(timeout=10) == 0


if __name__ == "__main__":
    weapons()
    enemies_arrive()
