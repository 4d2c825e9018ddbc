"""Fighting: with each weapon selected, holding space puts its shots on screen (bullets, the
beam, a shell bursting into a shockwave), and enemies keep arriving in the current system."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Game  # noqa: E402

MAIN_LOOP = "Done with that, now starting main loop"
CENTRE_X, CENTRE_Y = 640, 512

# The shipped bullet and beam; the shell bursts after 300 ms, about 150 pixels from the ship,
# so that its shockwave is on screen.
WEAPONS = """# reload speed life damage
150 3.0 2000 10
0 0 0 0.06
700 2.0 300 0.06
"""

# A calm start system: its only star is far away, so nothing pulls the ship off the spot and the
# backdrop stands still between screenshots.
STARS = "0 90000 90000 1000 1.0 0 14 @Far_Sun\n"
PLANETS = "0 250 0.6 4000 0.006 45 0.02 0 10 @Far_Rock\n"
WORMHOLES = "# none\n"


def calm(game):
    game.write_file("weapondata.txt", WEAPONS)
    game.write_file("stardata.txt", STARS)
    game.write_file("planetdata.txt", PLANETS)
    game.write_file("wormholedata.txt", WORMHOLES)


def column_above_ship(image, predicate, half_width):
    """Pixels matching predicate in a column from the ship to the top of the view."""
    count = 0
    for y in range(20, CENTRE_Y - 30):
        for x in range(CENTRE_X - half_width, CENTRE_X + half_width + 1):
            if predicate(*image.pixel(x, y)):
                count += 1
    return count


def bright(r, g, b):
    return r + g + b > 500


def brightened(before, after):
    """Pixels in the column above the ship that got clearly brighter between two shots."""
    count = 0
    for y in range(20, CENTRE_Y - 30):
        for x in range(CENTRE_X - 12, CENTRE_X + 13):
            if sum(after.pixel(x, y)) > sum(before.pixel(x, y)) + 150:
                count += 1
    return count


def fire(game, key, seconds):
    game.key(key)
    game._xdotool("keydown", "space")
    time.sleep(seconds)
    shot = game.screenshot()
    game._xdotool("keyup", "space")
    return shot


def changed_near(a, b, cx, cy, half):
    changed = 0
    for y in range(cy - half, cy + half):
        for x in range(cx - half, cx + half):
            if a.pixel(x, y) != b.pixel(x, y):
                changed += 1
    return changed


def weapons():
    with Game() as game:
        calm(game)
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=30)
        # The cursor starts on the ship; 150 counts up move it 22.5 % of the view, straight up.
        game.mouse_move_relative(0, -150)
        time.sleep(0.6)
        before = game.screenshot()
        time.sleep(0.3)
        still = brightened(before, game.screenshot())

        beam = fire(game, "2", 0.4)
        lit_before = column_above_ship(before, bright, 3)
        lit = column_above_ship(beam, bright, 3)
        assert lit > 300 and lit > 4 * lit_before, (
            "no beam above the ship: %d bright pixels, %d before" % (lit, lit_before))
        time.sleep(0.3)
        after_beam = game.screenshot()
        assert column_above_ship(after_beam, bright, 3) < lit / 3, "the beam outlives the key"

        bullets = fire(game, "1", 0.5)
        lit_by_bullets = brightened(after_beam, bullets)
        assert lit_by_bullets > 30 and lit_by_bullets > 4 * still, (
            "no bullets above the ship: %d pixels lit, %d without firing"
            % (lit_by_bullets, still))

        # Let the bullets leave the view, then fire one shell and catch its shockwave growing.
        time.sleep(1.5)
        quiet = game.screenshot()
        game.key("3")
        game.hold("space", 0.1)
        time.sleep(1.3)
        wave = game.screenshot()
        burst_y = CENTRE_Y - 150
        changed = changed_near(quiet, wave, CENTRE_X, burst_y, 80)
        control = changed_near(quiet, wave, CENTRE_X, CENTRE_Y + 250, 80)
        assert changed > 1500 and changed > 5 * control, (
            "no shockwave where the shell burst: %d changed pixels, %d elsewhere"
            % (changed, control))

        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def status_text(image, baseline):
    """The white glyph pixels of the status line drawn at baseline pixels above the window's
    bottom edge; the backdrop behind the text may drift with the ship."""
    return {(x, y) for y in range(1024 - baseline - 24, 1024 - baseline)
            for x in range(0, 240) if min(image.pixel(x, y)) > 235}


SHIPS_LINE, HEALTH_LINE = 30, 120


def enemies_arrive():
    with Game() as game:
        calm(game)
        game.start()
        game.wait_for_line(MAIN_LOOP, timeout=30)
        time.sleep(0.5)
        first = game.screenshot()
        time.sleep(1.5)
        later = game.screenshot()
        assert status_text(first, SHIPS_LINE) != status_text(later, SHIPS_LINE), (
            "the ship count did not change in 1.5 s of spawning")
        # Nothing reaches the ship this soon: its health line stays as it was.
        assert status_text(first, HEALTH_LINE) == status_text(later, HEALTH_LINE), (
            "the health line changed although nothing happened to the ship")
        game.key("q")
        assert game.wait_exit(timeout=10) == 0


def main():
    weapons()
    enemies_arrive()


if __name__ == "__main__":
    main()
